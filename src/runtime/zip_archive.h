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

class ZipArchiveWriter {
 public:
  ZipArchiveWriter();
  ~ZipArchiveWriter();
  ZipArchiveWriter(const ZipArchiveWriter&) = delete;
  ZipArchiveWriter& operator=(const ZipArchiveWriter&) = delete;

  // Adds a file entry; the name uses "/" between folders. False once anything has failed.
  bool Add(std::string_view name, std::string content);
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
  std::deque<std::string> contents_;  // read by libzip only when the archive closes
  bool failed_ = false;
};

}  // namespace velmora
