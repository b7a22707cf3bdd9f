#pragma once

// A ZIP archive built in memory, for documents that must reach the disk in one atomic write.
// Entries are deflated, carry one fixed time and appear in the order they were added, so the
// same entries always give the same bytes.

#include <deque>
#include <memory>
#include <string>
#include <string_view>

struct zip;
struct zip_source;

namespace velmora {

// An entry's content made piece by piece while the archive is written, so that a large entry
// is never held in memory whole.
class ZipEntryPieces {
 public:
  virtual ~ZipEntryPieces() = default;
  // Back to the first piece: the content is read once for its size and again for the archive.
  virtual void Restart() = 0;
  // Replaces piece by the next piece; false, with piece empty, after the last one.
  virtual bool Next(std::string& piece) = 0;
};

class ZipArchiveWriter {
 public:
  ZipArchiveWriter();
  ~ZipArchiveWriter();
  ZipArchiveWriter(const ZipArchiveWriter&) = delete;
  ZipArchiveWriter& operator=(const ZipArchiveWriter&) = delete;

  // Adds a file entry; the name uses "/" between folders. False once anything has failed.
  bool Add(std::string_view name, std::string content);
  // The same with a content made while the archive closes; it must stay alive until then.
  bool Add(std::string_view name, ZipEntryPieces& content);
  // Closes the archive and hands out its bytes; false when the archive could not be written.
  // The writer takes no entries afterwards.
  bool Finish(std::string& bytes);

 private:
  struct SourceFree {
    void operator()(zip_source* source) const;
  };
  struct ArchiveDiscard {
    void operator()(zip* archive) const;
  };

  std::unique_ptr<zip_source, SourceFree> buffer_;  // receives the archive's bytes
  std::unique_ptr<zip, ArchiveDiscard> archive_;
  bool AddSource(std::string_view name, zip_source* source);

  std::deque<std::string> contents_;  // read by libzip only when the archive closes
  bool failed_ = false;
};

}  // namespace velmora
