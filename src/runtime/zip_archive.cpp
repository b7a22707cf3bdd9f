#include "runtime/zip_archive.h"

#include <zip.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace velmora {

namespace {

// 2026-01-01 00:00:00 in MS-DOS form. Set as DOS fields rather than a time_t so that the local
// time zone cannot change the bytes.
constexpr zip_uint16_t kEntryDosDate = ((2026 - 1980) << 9) | (1 << 5) | 1;
constexpr zip_uint16_t kEntryDosTime = 0;

// What libzip holds of a streamed entry; libzip frees it with the source.
struct StreamedEntry {
  explicit StreamedEntry(ZipEntryPieces& pieces) : content(pieces) {}
  ZipEntryPieces& content;
  zip_uint64_t size = 0;
  std::string piece;
  std::size_t offset = 0;
  bool ended = false;
  zip_error_t error{};
};

zip_int64_t ReadStreamed(void* user, void* data, zip_uint64_t length, zip_source_cmd_t command) {
  auto* entry = static_cast<StreamedEntry*>(user);
  switch (command) {
    case ZIP_SOURCE_OPEN:
      entry->content.Restart();
      entry->piece.clear();
      entry->offset = 0;
      entry->ended = false;
      return 0;
    case ZIP_SOURCE_READ: {
      auto* out = static_cast<char*>(data);
      zip_uint64_t written = 0;
      while (written < length) {
        if (entry->offset == entry->piece.size()) {
          entry->offset = 0;
          if (entry->ended || !entry->content.Next(entry->piece)) {
            entry->ended = true;
            entry->piece.clear();
            break;
          }
          continue;
        }
        const std::size_t count = static_cast<std::size_t>(
            std::min<zip_uint64_t>(length - written, entry->piece.size() - entry->offset));
        std::memcpy(out + written, entry->piece.data() + entry->offset, count);
        entry->offset += count;
        written += count;
      }
      return static_cast<zip_int64_t>(written);
    }
    case ZIP_SOURCE_CLOSE:
      entry->piece = std::string();
      return 0;
    case ZIP_SOURCE_STAT: {
      // As a buffer source describes itself: known size, stored, not encrypted.
      auto* stat = static_cast<zip_stat_t*>(data);
      zip_stat_init(stat);
      stat->size = entry->size;
      stat->comp_size = entry->size;
      stat->comp_method = ZIP_CM_STORE;
      stat->encryption_method = ZIP_EM_NONE;
      stat->valid |=
          ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_COMP_METHOD | ZIP_STAT_ENCRYPTION_METHOD;
      return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_ERROR:
      return zip_error_to_data(&entry->error, data, length);
    case ZIP_SOURCE_FREE:
      zip_error_fini(&entry->error);
      delete entry;
      return 0;
    case ZIP_SOURCE_SUPPORTS:
      return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                            ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE, -1);
    default:
      zip_error_set(&entry->error, ZIP_ER_OPNOTSUPP, 0);
      return -1;
  }
}

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
  return AddSource(name, zip_source_buffer(archive_.get(), stored.data(), stored.size(), 0));
}

bool ZipArchiveWriter::Add(std::string_view name, ZipEntryPieces& content) {
  if (failed_) return false;
  // The size goes into the entry's header before its data, so the pieces are counted first.
  auto entry = std::make_unique<StreamedEntry>(content);
  zip_error_init(&entry->error);
  std::string piece;
  content.Restart();
  while (content.Next(piece)) entry->size += piece.size();
  zip_source* source = zip_source_function(archive_.get(), ReadStreamed, entry.get());
  if (source == nullptr) {
    zip_error_fini(&entry->error);
    failed_ = true;
    return false;
  }
  entry.release();  // freed by libzip with the source
  return AddSource(name, source);
}

bool ZipArchiveWriter::AddSource(std::string_view name, zip_source* added) {
  std::unique_ptr<zip_source, SourceFree> source(added);
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
