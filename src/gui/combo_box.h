#pragma once

#include <QComboBox>

namespace velmora {

// The drop-down list box: the user only chooses entries; rows of EntryDelegate, and the list
// drops down at least 160 pixels however few entries it holds.
class ComboBox final : public QComboBox {
 public:
  static constexpr int kMinimumDropDownHeight = 160;

  explicit ComboBox(QWidget* parent);

  void showPopup() override;
};

}  // namespace velmora
