#include "ui/control_names.h"

namespace velmora {

const std::string_view kPresetBoxName = "预设组合框";
const std::string_view kTagListName = "列表框1";
const std::string_view kNumberingBoxName = "序号选择框";
const std::string_view kDocumentTitleBoxName = "文档标题编辑框";

const std::string_view kTagControlsPrefix = "标签";
const std::string_view kTagCheckBoxPrefix = "标签选择框";
const std::string_view kTagTitleBoxPrefix = "标签标题编辑框";
const std::string_view kTagContentBoxPrefix = "标签内容编辑框";
const std::string_view kSectionFramePrefix = "版块分组框";
const std::string_view kSectionTitleBoxPrefix = "版块编辑框";

namespace {

std::string Numbered(std::string_view prefix, int number) {
  return std::string(prefix) + std::to_string(number);
}

}  // namespace

std::string TagCheckBoxName(int tag) { return Numbered(kTagCheckBoxPrefix, tag); }
std::string TagTitleBoxName(int tag) { return Numbered(kTagTitleBoxPrefix, tag); }
std::string TagContentBoxName(int tag) { return Numbered(kTagContentBoxPrefix, tag); }
std::string SectionFrameName(int section) { return Numbered(kSectionFramePrefix, section); }
std::string SectionTitleBoxName(int section) { return Numbered(kSectionTitleBoxPrefix, section); }

const std::string_view kStartDateBoxName = "时差日期框1";
const std::string_view kEndDateBoxName = "时差日期框2";
const std::string_view kMonthsBoxName = "时差结果编辑框";

}  // namespace velmora
