#pragma once

// Reads the paragraphs of a .docx back, so that a transcript or a test can show what a
// reader of the document would see.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// The paragraphs of word/document.xml as UTF-8 texts (tabs as \t, line breaks as \n), or
// nothing when the bytes are not a readable .docx.
std::optional<std::vector<std::string>> ReadDocxParagraphs(const std::string& bytes);
// The same for the XML of the document part alone.
std::vector<std::string> ParagraphsOfDocumentXml(std::string_view xml);

}  // namespace velmora
