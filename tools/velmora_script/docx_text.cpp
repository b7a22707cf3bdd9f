#include "docx_text.h"

#include <zip.h>

#include <charconv>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

namespace {

struct ArchiveCloser {
  void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct EntryCloser {
  void operator()(zip_file_t* file) const { zip_fclose(file); }
};

void AppendUtf8(std::string& out, unsigned long code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// Character data with the five named entities and numeric references resolved.
void AppendCharacterData(std::string& out, std::string_view data) {
  std::size_t pos = 0;
  while (pos < data.size()) {
    const std::size_t amp = data.find('&', pos);
    const std::size_t semi = amp == data.npos ? data.npos : data.find(';', amp);
    if (semi == data.npos) {
      out += data.substr(pos);
      return;
    }
    out += data.substr(pos, amp - pos);
    const std::string_view entity = data.substr(amp + 1, semi - amp - 1);
    unsigned long code = 0;
    if (entity == "lt")
      out += '<';
    else if (entity == "gt")
      out += '>';
    else if (entity == "amp")
      out += '&';
    else if (entity == "quot")
      out += '"';
    else if (entity == "apos")
      out += '\'';
    else if (entity.size() > 2 && entity[0] == '#' && (entity[1] == 'x' || entity[1] == 'X') &&
             std::from_chars(entity.data() + 2, entity.data() + entity.size(), code, 16).ec ==
                 std::errc())
      AppendUtf8(out, code);
    else if (entity.size() > 1 && entity[0] == '#' &&
             std::from_chars(entity.data() + 1, entity.data() + entity.size(), code).ec ==
                 std::errc())
      AppendUtf8(out, code);
    else
      out += data.substr(amp, semi - amp + 1);
    pos = semi + 1;
  }
}

}  // namespace

std::vector<std::string> ParagraphsOfDocumentXml(std::string_view xml) {
  std::vector<std::string> paragraphs;
  bool in_paragraph = false;
  bool in_text = false;
  std::string current;
  std::size_t pos = 0;
  while (pos < xml.size()) {
    const std::size_t open = xml.find('<', pos);
    if (open == xml.npos) break;
    if (in_text) AppendCharacterData(current, xml.substr(pos, open - pos));
    const std::size_t close = xml.find('>', open);
    if (close == xml.npos) break;
    const std::string_view tag = xml.substr(open + 1, close - open - 1);
    pos = close + 1;
    const bool end_tag = !tag.empty() && tag[0] == '/';
    const bool empty_element = !tag.empty() && tag.back() == '/';
    const std::string_view body = end_tag ? tag.substr(1) : tag;
    const std::string_view name = body.substr(0, body.find_first_of(" \t\r\n/"));
    if (name == "w:p") {
      if (end_tag || empty_element) {
        paragraphs.push_back(std::move(current));
        current.clear();
        in_paragraph = false;
      } else {
        in_paragraph = true;
      }
    } else if (name == "w:t" && in_paragraph) {
      in_text = !end_tag && !empty_element;
    } else if (name == "w:tab" && in_paragraph && !in_text && !end_tag) {
      current += '\t';
    } else if ((name == "w:br" || name == "w:cr") && in_paragraph && !end_tag) {
      current += '\n';
    }
  }
  return paragraphs;
}

std::optional<std::vector<std::string>> ReadDocxParagraphs(const std::string& bytes) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
  zip_error_fini(&error);
  if (source == nullptr) return std::nullopt;
  std::unique_ptr<zip_t, ArchiveCloser> archive(zip_open_from_source(source, ZIP_RDONLY, nullptr));
  if (!archive) {
    zip_source_free(source);
    return std::nullopt;
  }
  zip_stat_t stat;
  if (zip_stat(archive.get(), "word/document.xml", 0, &stat) != 0 ||
      (stat.valid & ZIP_STAT_SIZE) == 0)
    return std::nullopt;
  std::unique_ptr<zip_file_t, EntryCloser> entry(zip_fopen(archive.get(), "word/document.xml", 0));
  if (!entry) return std::nullopt;
  std::string xml(stat.size, '\0');
  if (zip_fread(entry.get(), xml.data(), stat.size) != static_cast<zip_int64_t>(stat.size))
    return std::nullopt;
  return ParagraphsOfDocumentXml(xml);
}

}  // namespace velmora
