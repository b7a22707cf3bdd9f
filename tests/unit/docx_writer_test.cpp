#include "runtime/docx_writer.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <time.h>
#include <zip.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace velmora {
namespace {

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

struct Entry {
  std::string name;
  std::string content;
  zip_uint16_t method = 0;
  time_t mtime = 0;
};

// The entries of a ZIP archive in the order of its central directory, read with libzip.
std::vector<Entry> ReadEntries(const std::string& bytes) {
  std::vector<Entry> entries;
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
  zip_t* archive =
      source ? zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error) : nullptr;
  zip_error_fini(&error);
  if (!archive) {
    if (source) zip_source_free(source);
    ADD_FAILURE() << "not a readable archive";
    return entries;
  }
  for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
    zip_stat_t stat;
    zip_stat_index(archive, i, 0, &stat);
    Entry entry{stat.name, std::string(stat.size, '\0'), stat.comp_method, stat.mtime};
    zip_file_t* file = zip_fopen_index(archive, i, 0);
    EXPECT_EQ(zip_fread(file, entry.content.data(), stat.size),
              static_cast<zip_int64_t>(stat.size));
    zip_fclose(file);
    entries.push_back(std::move(entry));
  }
  zip_close(archive);
  return entries;
}

std::string EntryContent(const std::string& docx, const std::string& name) {
  for (Entry& entry : ReadEntries(docx)) {
    if (entry.name == name) return entry.content;
  }
  ADD_FAILURE() << "no entry " << name;
  return {};
}

std::string Unescape(std::string_view text) {
  static const std::pair<std::string_view, char> kEntities[] = {
      {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    bool replaced = false;
    for (const auto& [entity, c] : kEntities) {
      if (text.substr(i, entity.size()) == entity) {
        plain += c;
        i += entity.size() - 1;
        replaced = true;
        break;
      }
    }
    if (!replaced) {
      EXPECT_NE(text[i], '&') << "unknown entity in " << text;
      plain += text[i];
    }
  }
  return plain;
}

// The paragraphs of word/document.xml as a reader sees them: the text of w:t elements, a tab for
// each w:tab. Every w:t must keep its blanks.
std::vector<std::string> Paragraphs(const std::string& docx) {
  const std::string xml = EntryContent(docx, "word/document.xml");
  std::vector<std::string> paragraphs;
  std::size_t at = xml.find("<w:body>");
  while ((at = xml.find('<', at)) != std::string::npos) {
    const std::size_t end = xml.find('>', at);
    const std::string tag = xml.substr(at + 1, end - at - 1);
    if (tag == "w:p" || tag == "w:p/") {
      paragraphs.emplace_back();
    } else if (tag == "w:t" || tag.starts_with("w:t ")) {
      EXPECT_EQ(tag, "w:t xml:space=\"preserve\"");
      const std::size_t close = xml.find("</w:t>", end);
      paragraphs.back() += Unescape(std::string_view(xml).substr(end + 1, close - end - 1));
      at = close;
      continue;
    } else if (tag == "w:tab/") {
      paragraphs.back() += '\t';
    }
    at = end;
  }
  return paragraphs;
}

std::string Docx(std::string_view text) {
  std::string docx;
  EXPECT_TRUE(BuildDocx(text, docx));
  return docx;
}

// The document texts as the export builds them.
std::string Numbered(std::string_view title, const std::vector<std::string>& entries) {
  std::string text = std::string(title) + "\r\n";
  for (std::size_t i = 0; i < entries.size(); ++i) {
    text += "\r\n" + std::to_string(i + 1) + "." + entries[i];
  }
  return text;
}

std::string Unnumbered(std::string_view title, const std::vector<std::string>& entries) {
  std::string text = std::string(title) + "\r\n";
  for (const std::string& entry : entries) text += entry + "\r\n";
  return text;
}

using Lines = std::vector<std::string>;

TEST(DocxWriterTest, PackageHoldsTheParts_InOrder_DeflatedWithOneFixedTime) {
  const std::string docx = Docx("清单\r\nA");
  const std::vector<Entry> entries = ReadEntries(docx);
  std::vector<std::string> names;
  for (const Entry& entry : entries) {
    names.push_back(entry.name);
    EXPECT_EQ(entry.method, ZIP_CM_DEFLATE) << entry.name;
    EXPECT_EQ(entry.mtime, entries.front().mtime) << entry.name;
  }
  EXPECT_EQ(names,
            (Lines{"[Content_Types].xml", "_rels/.rels", "word/document.xml", "word/styles.xml",
                   "docProps/core.xml", "docProps/app.xml", "word/_rels/document.xml.rels"}));
  // No Zip64 records for a small file.
  EXPECT_EQ(docx.find(std::string("PK\x06\x06", 4)), std::string::npos);
  EXPECT_EQ(docx.find(std::string("PK\x06\x07", 4)), std::string::npos);
}

TEST(DocxWriterTest, EveryReferencedPartExistsAndHasItsContentType) {
  const std::string docx = Docx("x");
  const std::string types = EntryContent(docx, "[Content_Types].xml");
  const std::string root = EntryContent(docx, "_rels/.rels");
  const std::string document_rels = EntryContent(docx, "word/_rels/document.xml.rels");
  for (const char* part :
       {"word/document.xml", "word/styles.xml", "docProps/core.xml", "docProps/app.xml"}) {
    EXPECT_NE(types.find(std::string("PartName=\"/") + part + "\""), std::string::npos) << part;
  }
  for (const char* target : {"word/document.xml", "docProps/core.xml", "docProps/app.xml"}) {
    EXPECT_NE(root.find(std::string("Target=\"") + target + "\""), std::string::npos) << target;
  }
  EXPECT_NE(document_rels.find("relationships/styles\" Target=\"styles.xml\""), std::string::npos);
}

TEST(DocxWriterTest, DefaultStyleNamesSimSunAndChinese) {
  const std::string styles = EntryContent(Docx("x"), "word/styles.xml");
  EXPECT_NE(styles.find(Utf8(u8"w:eastAsia=\"宋体\"")), std::string::npos);
  EXPECT_NE(styles.find("w:lang w:val=\"en-US\" w:eastAsia=\"zh-CN\""), std::string::npos);
  EXPECT_NE(styles.find("w:default=\"1\" w:styleId=\"Normal\""), std::string::npos);
}

TEST(DocxWriterTest, LineBreaksEndParagraphs) {
  const std::pair<std::string, Lines> cases[] = {
      {"", {""}},
      {"A", {"A"}},
      {"A\r\n", {"A", ""}},
      {"A\r\n\r\nB", {"A", "", "B"}},
      {"A\rB\nC", {"A", "B", "C"}},
      {"\n\r", {"", "", ""}},
      {"\r\r\n", {"", "", ""}},
      {"  A  \r\n\tB\t\tC\t", {"  A  ", "\tB\t\tC\t"}},
  };
  for (const auto& [text, lines] : cases) {
    EXPECT_EQ(Paragraphs(Docx(text)), lines) << testing::PrintToString(text);
  }
}

TEST(DocxWriterTest, ExportTextsBecomeTheirLines) {
  EXPECT_EQ(Paragraphs(Docx(Numbered("清单", {"A", "B", "C"}))),
            (Lines{Utf8(u8"清单"), "", "1.A", "2.B", "3.C"}));
  EXPECT_EQ(Paragraphs(Docx(Unnumbered("清单", {"A", "B", "C"}))),
            (Lines{Utf8(u8"清单"), "A", "B", "C", ""}));
  EXPECT_EQ(Paragraphs(Docx(Numbered("T", {}))), (Lines{"T", ""}));
  EXPECT_EQ(Paragraphs(Docx(Unnumbered("T", {}))), (Lines{"T", ""}));
  EXPECT_EQ(Paragraphs(Docx(Numbered("T", {"first\r\nsecond", "B"}))),
            (Lines{"T", "", "1.first", "second", "2.B"}));
  EXPECT_EQ(Paragraphs(Docx(Unnumbered(" my list v1.2. ", {"A"}))),
            (Lines{" my list v1.2. ", "A", ""}));
}

TEST(DocxWriterTest, CharactersReachTheXmlAsUtf8_SpecialsEscaped_ControlsLeftOut) {
  // U+1F600 is outside GBK; GB18030 carries it in four bytes.
  const std::string grin = "\x94\x39\xFC\x36";
  EXPECT_EQ(Paragraphs(Docx("宋体 " + grin)), (Lines{Utf8(u8"宋体 \U0001F600")}));
  EXPECT_EQ(Paragraphs(Docx("<a href=\"x\">&amp;'</a>")), (Lines{"<a href=\"x\">&amp;'</a>"}));
  EXPECT_EQ(Paragraphs(Docx(std::string("a\x01\x08\x0B\x0C\x1F\x7F", 7) + std::string(1, '\0') +
                            "b\r\x02\n\x1B")),
            (Lines{"a\x7F"
                   "b",
                   "", ""}));
  // A byte that starts no GB18030 character becomes U+FFFD; the line break after it survives.
  EXPECT_EQ(Paragraphs(Docx("x\x81\r\ny\xFF")), (Lines{"x\xEF\xBF\xBD", "y\xEF\xBF\xBD"}));
}

TEST(DocxWriterTest, TitleIsTheFirstLine_DatesAreW3cdtf) {
  const std::string core = EntryContent(Docx("清单 <1> & \"2\"\r\nA\r\n"), "docProps/core.xml");
  EXPECT_NE(core.find(Utf8(u8"<dc:title>清单 &lt;1&gt; &amp; &quot;2&quot;</dc:title>")),
            std::string::npos)
      << core;
  for (const char* element : {"dcterms:created", "dcterms:modified"}) {
    const std::string open = std::string("<") + element + " xsi:type=\"dcterms:W3CDTF\">";
    const std::size_t at = core.find(open);
    ASSERT_NE(at, std::string::npos) << element;
    const std::string value = core.substr(at + open.size(), 20);
    EXPECT_EQ(value.size(), 20u);
    EXPECT_EQ(value[4], '-');
    EXPECT_EQ(value[10], 'T');
    EXPECT_EQ(value[19], 'Z');
  }
}

// The time-zone switch and the Python reader are this machine's: the Linux build runs them.
#ifndef _WIN32
TEST(DocxWriterTest, SameTextGivesSameBytes_WhateverTheTimeZone) {
  const std::string text = Numbered("清单", {"A", "B"});
  const std::string first = Docx(text);
  EXPECT_EQ(Docx(text), first);
  const char* old_zone = getenv("TZ");
  const std::string saved = old_zone ? old_zone : "";
  setenv("TZ", "Asia/Shanghai", 1);
  tzset();
  const std::string shanghai = Docx(text);
  setenv("TZ", "America/Los_Angeles", 1);
  tzset();
  const std::string los_angeles = Docx(text);
  if (old_zone) {
    setenv("TZ", saved.c_str(), 1);
  } else {
    unsetenv("TZ");
  }
  tzset();
  EXPECT_EQ(shanghai, first);
  EXPECT_EQ(los_angeles, first);
  EXPECT_NE(Docx(Numbered("清单", {"A", "C"})), first);
}

// A reader we did not write must accept the file and see the same paragraphs.
TEST(DocxWriterTest, PythonDocxReadsTheParagraphsAndTitle) {
  const std::string python = VELMORA_SYSTEM_PYTHON;
  if (std::system((python + " -c 'import docx' >/dev/null 2>&1").c_str()) != 0) {
    GTEST_SKIP() << "python-docx is not installed for " << python;
  }
  const std::filesystem::path folder =
      std::filesystem::path(testing::TempDir()) / "docx_writer_python";
  std::filesystem::create_directories(folder);
  const std::filesystem::path file = folder / "out.docx";
  const std::string docx =
      Docx(Numbered("清单 v1.0", {"A & <B>", "two\r\n\tlines", "\x94\x39\xFC\x36"}));
  std::ofstream(file, std::ios::binary)
      .write(docx.data(), static_cast<std::streamsize>(docx.size()));
  // Every part must be well-formed XML; then the title and the paragraphs, one per line.
  const std::string script =
      "import sys, zipfile, docx, xml.dom.minidom as m\n"
      "z = zipfile.ZipFile(sys.argv[1])\n"
      "assert z.testzip() is None\n"
      "[m.parseString(z.read(n)) for n in z.namelist()]\n"
      "d = docx.Document(sys.argv[1])\n"
      "out = [d.core_properties.title] + [p.text for p in d.paragraphs]\n"
      "sys.stdout.buffer.write(('\\n'.join(out) + '\\n').encode('utf-8'))\n";
  const std::filesystem::path script_file = folder / "read.py";
  std::ofstream(script_file) << script;
  const std::string command = python + " '" + script_file.string() + "' '" + file.string() + "'";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  ASSERT_TRUE(pipe);
  std::string output;
  char buffer[4096];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe.get())) > 0;)
    output.append(buffer, n);
  EXPECT_EQ(pclose(pipe.release()), 0);
  EXPECT_EQ(output, Utf8(u8"清单 v1.0\n清单 v1.0\n\n1.A & <B>\n2.two\n\tlines\n3.\U0001F600\n"));
}
#endif

}  // namespace
}  // namespace velmora
