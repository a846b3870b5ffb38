// The skin's text fields and the menu font button.
#include <windows.h>

#include "CMDIALOG.h"
#include "frmDesigner.h"
#include "modDesign.h"

void frmDesigner::WireTextFields() {
    for (TextBox* box : {&txtSkinVersion, &txtAuthor, &txtEmail, &txtWeb, &txtFontName, &txtFontWidth,
                         &txtFontHeight, &txtFontWeight})
        box->Change = [this] { MarkChangedUnlessLoading(); };
    txtSkinName.Change = [this] { txtSkinName_Change(); };
    txtSkinsFolder.Change = [] {};  // the folder commands mark what they need themselves
    cmdChangeFont.Click = [this] { cmdChangeFont_Click(); };
}

void frmDesigner::MarkChangedUnlessLoading() {
    if (!m_Loading) MarkSkinChanged();
}

void frmDesigner::txtSkinName_Change() {
    sb1.SetPanelText("skin", txtSkinName.Text());
    gSkinName = txtSkinName.Text();
    MarkChangedUnlessLoading();
}

void frmDesigner::cmdChangeFont_Click() {
    LOGFONTA font{};
    GetObjectA(Font(), sizeof font, &font);
    const std::string old = font.lfFaceName;
    gDialogKind = 5;
    const std::string name = ShowFont(*this, nullptr);
    gDialogKind = 0;
    if (!name.empty() && name != old) {
        txtFontName.SetText(name);
        MarkSkinChanged();
    }
}
