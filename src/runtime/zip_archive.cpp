#include "runtime/zip_archive.h"

#include <zip.h>

#include <cstdint>

namespace velmora {

namespace {

// 2026-01-01 00:00:00 in MS-DOS form. Set as DOS fields rather than a time_t so that the local
// time zone cannot change the bytes.
constexpr zip_uint16_t kEntryDosDate = ((2026 - 1980) << 9) | (1 << 5) | 1;
constexpr zip_uint16_t kEntryDosTime = 0;

}  // namespace

void ZipArchiveWriter::SourceFree::operator()(zip_source* source) const { zip_source_free(source); }

void ZipArchiveWriter::ArchiveDiscard::operator()(zip* archive) const { zip_discard(archive); }

ZipArchiveWriter::ZipArchiveWriter() {
  zip_error_t error;
  zip_error_init(&error);
  buffer_.reset(zip_source_buffer_create(nullptr, 0, 0, &error));
  if (buffer_) {
    // The archive frees its source when it closes; the extra reference keeps the bytes readable.
    zip_source_keep(buffer_.get());
    archive_.reset(zip_open_from_source(buffer_.get(), ZIP_TRUNCATE, &error));
    if (!archive_) {
      // A failed open took no reference, so the one added above must go again.
      zip_source_free(buffer_.get());
    }
  }
  zip_error_fini(&error);
  failed_ = !archive_;
}

ZipArchiveWriter::~ZipArchiveWriter() = default;

bool ZipArchiveWriter::Add(std::string_view name, std::string content) {
  if (failed_) return false;
  const std::string& stored = contents_.emplace_back(std::move(content));
  std::unique_ptr<zip_source, SourceFree> source(
      zip_source_buffer(archive_.get(), stored.data(), stored.size(), 0));
  const std::string entry_name(name);
  const zip_int64_t index =
      source ? zip_file_add(archive_.get(), entry_name.c_str(), source.get(), ZIP_FL_ENC_GUESS)
             : -1;
  if (index < 0) {
    failed_ = true;
    return false;
  }
  source.release();  // owned by the archive from here on
  const auto entry = static_cast<zip_uint64_t>(index);
  failed_ = zip_set_file_compression(archive_.get(), entry, ZIP_CM_DEFLATE, 0) != 0 ||
            zip_file_set_dostime(archive_.get(), entry, kEntryDosTime, kEntryDosDate, 0) != 0;
  return !failed_;
}

bool ZipArchiveWriter::Finish(std::string& bytes) {
  if (failed_) return false;
  failed_ = true;  // no entries after the archive is closed, whatever the outcome
  if (zip_close(archive_.get()) != 0) return false;
  archive_.release();  // a closed archive is gone

  zip_stat_t stat;
  zip_stat_init(&stat);
  if (zip_source_stat(buffer_.get(), &stat) != 0 || (stat.valid & ZIP_STAT_SIZE) == 0 ||
      zip_source_open(buffer_.get()) != 0) {
    return false;
  }
  std::string result(stat.size, '\0');
  const zip_int64_t read = zip_source_read(buffer_.get(), result.data(), result.size());
  zip_source_close(buffer_.get());
  if (read < 0 || static_cast<zip_uint64_t>(read) != stat.size) return false;
  bytes = std::move(result);
  return true;
}

}  // namespace velmora
