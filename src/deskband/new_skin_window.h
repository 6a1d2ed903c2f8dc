// The band's skin picker (frmNewSkin): every skin folder under DeskBand\, and "Load Skin"
// switching the band to the one picked. The band's menu opens it modally.
#pragma once

#include <string>

#include "ui/dialog.h"

namespace quavero::deskband {

class BandWindow;

class NewSkinWindow : public ui::Dialog {
 public:
  // Opening fills the list from the folder list (Dir1) of DeskBand\.
  explicit NewSkinWindow(BandWindow& band);

  void OnClick(const std::string& control) override;
  void cmdLoad_Click();

 private:
  BandWindow& band_;
};

}  // namespace quavero::deskband
