#include "runtime/docx_writer.h"

#include "runtime/docx_xml.h"
#include "runtime/gbk_codec.h"
#include "runtime/zip_archive.h"

namespace velmora {

namespace {

constexpr std::string_view kXmlDeclaration =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";

std::string WithDeclaration(std::string_view xml) {
  std::string part(kXmlDeclaration);
  part += xml;
  return part;
}

// Documents carry one fixed time so that the same text always gives the same file.
constexpr std::string_view kDocumentTime = "2026-01-01T00:00:00Z";

constexpr std::string_view kContentTypes =
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" "
    "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/word/document.xml\" ContentType=\"application/"
    "vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
    "<Override PartName=\"/word/styles.xml\" ContentType=\"application/"
    "vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/>"
    "<Override PartName=\"/docProps/core.xml\" "
    "ContentType=\"application/vnd.openxmlformats-package.core-properties+xml\"/>"
    "<Override PartName=\"/docProps/app.xml\" ContentType=\"application/"
    "vnd.openxmlformats-officedocument.extended-properties+xml\"/>"
    "</Types>";

constexpr std::string_view kPackageRelationships =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
    "relationships/officeDocument\" Target=\"word/document.xml\"/>"
    "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/package/2006/"
    "relationships/metadata/core-properties\" Target=\"docProps/core.xml\"/>"
    "<Relationship Id=\"rId3\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
    "relationships/extended-properties\" Target=\"docProps/app.xml\"/>"
    "</Relationships>";

// Word finds the styles only through this relationship of the main part.
constexpr std::string_view kDocumentRelationships =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
    "relationships/styles\" Target=\"styles.xml\"/>"
    "</Relationships>";

constexpr std::string_view kAppProperties =
    "<Properties "
    "xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/extended-properties\">"
    "<Application>Velmora</Application></Properties>";

constexpr std::string_view kWordNamespace =
    "xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"";

// A4 portrait with the margins Word gives a new Chinese document; the children keep the
// schema's order (pgSz, pgMar, cols, docGrid), which Word enforces.
constexpr std::string_view kSectionProperties =
    "<w:sectPr>"
    "<w:pgSz w:w=\"11906\" w:h=\"16838\"/>"
    "<w:pgMar w:top=\"1440\" w:right=\"1800\" w:bottom=\"1440\" w:left=\"1800\" "
    "w:header=\"851\" w:footer=\"992\" w:gutter=\"0\"/>"
    "<w:cols w:space=\"425\"/>"
    "<w:docGrid w:type=\"lines\" w:linePitch=\"312\"/>"
    "</w:sectPr>";

// The East Asian font is named as Word names SimSun, so Chinese text renders as Chinese.
constexpr char8_t kEastAsianFont[] = u8"宋体";

std::string StylesXml() {
  std::string xml(kXmlDeclaration);
  xml += "<w:styles ";
  xml += kWordNamespace;
  xml +=
      "><w:docDefaults><w:rPrDefault><w:rPr>"
      "<w:rFonts w:ascii=\"Times New Roman\" w:eastAsia=\"";
  xml += reinterpret_cast<const char*>(kEastAsianFont);
  xml +=
      "\" w:hAnsi=\"Times New Roman\" w:cs=\"Times New Roman\"/>"
      "<w:kern w:val=\"2\"/><w:sz w:val=\"21\"/><w:szCs w:val=\"22\"/>"
      "<w:lang w:val=\"en-US\" w:eastAsia=\"zh-CN\" w:bidi=\"ar-SA\"/>"
      "</w:rPr></w:rPrDefault><w:pPrDefault/></w:docDefaults>"
      "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\">"
      "<w:name w:val=\"Normal\"/><w:qFormat/>"
      "<w:pPr><w:widowControl w:val=\"0\"/><w:jc w:val=\"both\"/></w:pPr>"
      "</w:style></w:styles>";
  return xml;
}

// document.xml made a few paragraphs at a time from the GBK text, so that the document's text
// is never held again in UTF-8 or as XML. CR and LF are single bytes in GBK and never part of a
// two- or four-byte character, so the lines split on the GBK bytes.
class DocumentXmlPieces final : public ZipEntryPieces {
 public:
  explicit DocumentXmlPieces(std::string_view gbk_text) : text_(gbk_text) {}

  void Restart() override {
    stage_ = Stage::kHead;
    position_ = 0;
  }

  bool Next(std::string& piece) override {
    piece.clear();
    switch (stage_) {
      case Stage::kHead:
        piece = kXmlDeclaration;
        piece += "<w:document ";
        piece += kWordNamespace;
        piece += "><w:body>";
        stage_ = Stage::kLines;
        return true;
      case Stage::kLines:
        while (stage_ == Stage::kLines && piece.size() < kPieceSize) AppendNextLine(piece);
        return true;
      case Stage::kTail:
        piece = kSectionProperties;
        piece += "</w:body></w:document>";
        stage_ = Stage::kEnded;
        return true;
      case Stage::kEnded:
        break;
    }
    return false;
  }

 private:
  enum class Stage { kHead, kLines, kTail, kEnded };
  static constexpr std::size_t kPieceSize = 64 * 1024;

  // CR LF, a lone CR and a lone LF each end a line; the text after the last break is a line.
  void AppendNextLine(std::string& xml) {
    const std::size_t end = text_.find_first_of("\r\n", position_);
    const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
    AppendParagraphXml(xml, GbkToUtf8(text_.substr(position_, stop - position_)));
    if (end == std::string_view::npos) {
      stage_ = Stage::kTail;
      return;
    }
    position_ =
        end + (text_[end] == '\r' && end + 1 < text_.size() && text_[end + 1] == '\n' ? 2 : 1);
  }

  std::string_view text_;
  Stage stage_ = Stage::kHead;
  std::size_t position_ = 0;
};

std::string CorePropertiesXml(std::string_view utf8_title) {
  std::string xml(kXmlDeclaration);
  xml +=
      "<cp:coreProperties "
      "xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
      "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:dcterms=\"http://purl.org/dc/terms/\" "
      "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"><dc:title>";
  AppendXmlText(xml, utf8_title);
  xml += "</dc:title><dcterms:created xsi:type=\"dcterms:W3CDTF\">";
  xml += kDocumentTime;
  xml += "</dcterms:created><dcterms:modified xsi:type=\"dcterms:W3CDTF\">";
  xml += kDocumentTime;
  xml += "</dcterms:modified></cp:coreProperties>";
  return xml;
}

}  // namespace

bool BuildDocx(std::string_view gbk_text, std::string& docx) {
  const std::string title = GbkToUtf8(gbk_text.substr(0, gbk_text.find_first_of("\r\n")));
  DocumentXmlPieces document(gbk_text);

  ZipArchiveWriter zip;
  // [Content_Types].xml comes first: some readers look for it there.
  const bool added =
      zip.Add("[Content_Types].xml", WithDeclaration(kContentTypes)) &&
      zip.Add("_rels/.rels", WithDeclaration(kPackageRelationships)) &&
      zip.Add("word/document.xml", document) && zip.Add("word/styles.xml", StylesXml()) &&
      zip.Add("docProps/core.xml", CorePropertiesXml(title)) &&
      zip.Add("docProps/app.xml", WithDeclaration(kAppProperties)) &&
      zip.Add("word/_rels/document.xml.rels", WithDeclaration(kDocumentRelationships));
  return added && zip.Finish(docx);
}

}  // namespace velmora
