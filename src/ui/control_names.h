#pragma once

// The names of the controls that the logic finds, written once: the layout table builds these
// controls under them and the commands find the controls by them. A name is also the control's
// key in the Preset files. The names are GBK, so they are defined in control_names.cpp: headers
// carry no non-ASCII literals.

#include <string>
#include <string_view>

namespace velmora {

// Main window.
extern const std::string_view kPresetBoxName;         // the Preset list
extern const std::string_view kTagListName;           // the contents of the ticked Tags
extern const std::string_view kNumberingBoxName;      // numbered export or not
extern const std::string_view kDocumentTitleBoxName;  // the exported document's title

// The families of numbered controls: the prefix that FindControls takes, and the name of the
// member with that number.
extern const std::string_view kTagControlsPrefix;  // every Tag check box, title and content box
extern const std::string_view kTagCheckBoxPrefix;
extern const std::string_view kTagTitleBoxPrefix;
extern const std::string_view kTagContentBoxPrefix;
extern const std::string_view kSectionFramePrefix;
extern const std::string_view kSectionTitleBoxPrefix;
std::string TagCheckBoxName(int tag);
std::string TagTitleBoxName(int tag);
std::string TagContentBoxName(int tag);
std::string SectionFrameName(int section);
std::string SectionTitleBoxName(int section);

// Time-difference window.
extern const std::string_view kStartDateBoxName;
extern const std::string_view kEndDateBoxName;
extern const std::string_view kMonthsBoxName;  // the result, in months

}  // namespace velmora
