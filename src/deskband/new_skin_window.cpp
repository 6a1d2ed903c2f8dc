#include "deskband/new_skin_window.h"

#include "deskband/band_window.h"

namespace quavero::deskband {

using ui::DialogControlKind;

NewSkinWindow::NewSkinWindow(BandWindow& band)
    : ui::Dialog("Please pick a new skin...", 160, 150), band_(band) {
  auto& skins = Add("lstSkins", DialogControlKind::kListBox, "", 7, 7, 146, 110);
  for (const std::string& folder : band_.platform().files().FoldersIn(band_.AppFolder() + "\\DeskBand\\"))
    skins.items.push_back(folder.substr(folder.find_last_of('\\') + 1));
  Add("cmdLoad", DialogControlKind::kButton, "Load Skin", 83, 126, 70, 15).default_button = true;
}

void NewSkinWindow::OnClick(const std::string& control) {
  if (control == "cmdLoad") cmdLoad_Click();
}

void NewSkinWindow::cmdLoad_Click() {
  const auto& skins = control("lstSkins");
  if (skins.list_index >= 0 && skins.list_index < static_cast<int>(skins.items.size()))
    band_.CloseAndReloadSkin(skins.items[skins.list_index]);
  Close();
}

}  // namespace quavero::deskband
