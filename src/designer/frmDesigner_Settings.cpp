// Program settings, options and the recent-files list.
#include <windows.h>

#include <algorithm>
#include <functional>

#include "AppError.h"
#include "Prompts.h"
#include "frmDesigner.h"
#include "modDesign.h"

namespace {
constexpr const char* kRecentSection = "RecentsFiles";
constexpr int kRecentMenuItems = 10;
std::string RecentKey(int i) { return "RecentFile" + std::to_string(i); }
}  // namespace

void frmDesigner::UpdateFileMenu(const std::string& path) {
    try {
        if (!OnRecentFilesList(path)) WriteRecentFiles(path);
        GetRecentFiles();
    } catch (const AppError& e) {
        MsgBox(ErrorMessageText(e, "UpdateFileMenu"), MB_OK);
    }
}

bool frmDesigner::OnRecentFilesList(const std::string& path) {
    // Only what the menu shows: hidden items keep old captions that are no longer listed.
    for (int i = 1; i <= kRecentMenuItems; ++i) {
        const MenuItem& item = Menu("mnuRecentFile", i);
        if (item.Visible() && LiteralText(item.Caption()) == path) return true;
    }
    return false;
}

void frmDesigner::WriteRecentFiles(const std::string& path) {
    try {
        for (int i = 10; i >= 1; --i) {
            m_IniSettings->Sezione(kRecentSection);
            const std::string v = m_IniSettings->Leggi(RecentKey(i), "");
            if (!v.empty() && v != path) m_IniSettings->Scrivi(RecentKey(i + 1), v);
        }
        m_IniSettings->Scrivi(RecentKey(1), path);
    } catch (const AppError& e) {
        MsgBox(ErrorMessageText(e, "WriteRecentFiles"), MB_OK);
    }
}

void frmDesigner::GetRecentFiles() {
    try {
        // The menu shows the file's list in its order and nothing else: items
        // beyond it hide, so none is left over from a longer list.
        m_IniSettings->Sezione(kRecentSection);
        std::vector<std::string> keys;
        int32_t count = 0;
        if (!m_IniSettings->Leggi(RecentKey(1), "").empty())
            m_IniSettings->LeggiSezione(m_IniSettings->Nome(), kRecentSection, keys, count);
        int shown = 0;
        for (int i = 1; i <= count && shown < kRecentMenuItems; ++i) {
            ResumeNext([&] {
                const std::string path = m_IniSettings->Leggi(keys[static_cast<size_t>(i)], "");
                if (path.empty()) return;
                MenuItem& item = Menu("mnuRecentFile", ++shown);
                item.SetCaption(LiteralCaption(path));
                item.SetVisible(true);
            });
        }
        for (int i = shown + 1; i <= kRecentMenuItems; ++i) Menu("mnuRecentFile", i).SetVisible(false);
        Menu("mnuRecentFile", 0).SetVisible(shown > 0);
    } catch (const AppError& e) {
        MsgBox(ErrorMessageText(e, "GetRecentFiles"), MB_OK);
    }
}

void frmDesigner::UpdateRecentsFilesList() {
    // Each failing step is reported and the next one runs.
    auto step = [](const std::function<void()>& s) {
        if (!ResumeNext(s))
            MsgBox("Error " + std::to_string(CurrentError().Number()) + " (" + CurrentError().Description() +
                       ")\r\nin procedure UpdateRecentsFilesList of Form frmDesigner",
                   MB_OK);
    };
    IniManag list;
    std::vector<std::string> keys, kept;
    int32_t count = 0;
    step([&] { list.LeggiSezione(m_SettingsFile, kRecentSection, keys, count); });
    step([&] {
        list.Sezione(kRecentSection);
        list.Nome(m_SettingsFile);
    });
    step([&] {
        for (int i = 1; i <= count; ++i) {
            const std::string v = list.Leggi(keys[static_cast<size_t>(i)], "");
            if (v.empty() || !m_File->FileExists(v)) continue;
            if (std::find(kept.begin(), kept.end(), v) != kept.end()) continue;
            kept.push_back(v);
        }
    });
    step([&] { list.CancellaSezione(kRecentSection); });
    step([&] {
        for (size_t i = 0; i < kept.size(); ++i) list.Scrivi(RecentKey(static_cast<int>(i + 1)), kept[i]);
    });
    step([&] { GetRecentFiles(); });
}

void frmDesigner::mnuRecentFile_Click(int index) {
    if (!SavePrompt()) return;
    const std::string path = LiteralText(Menu("mnuRecentFile", index).Caption());
    m_Loading = true;
    try {
        if (m_File->FileExists(path)) {
            OpenFile(path);
            WriteRecentFiles(path);
            UpdateRecentsFilesList();
        } else {
            MsgBox("File " + path + " not found!", MB_OK);
        }
    } catch (...) {
        m_Loading = false;  // never left on: edits would stop counting as changes
        throw;
    }
    m_Loading = false;
}

void frmDesigner::mnuOptionsClearRecentsFiles_Click() {
    if (MsgBox("Are you sure to delete all entries for recents files?", MB_OKCANCEL | MB_ICONQUESTION) == IDCANCEL)
        return;
    m_IniSettings->CancellaSezione(kRecentSection);
    for (int i = 0; i <= kRecentMenuItems; ++i) Menu("mnuRecentFile", i).SetVisible(false);
}

void frmDesigner::ToggleOption(const std::string& itemName, const std::string& key, bool& option) {
    MenuItem& item = Menu(itemName);
    item.SetChecked(!item.Checked());
    if (item.Checked() != option) {
        m_IniSettings->Sezione("Options");
        m_IniSettings->Scrivi(key, item.Checked() ? "1" : "0");
        option = item.Checked();
    }
}

frmDesigner::DefaultValues frmDesigner::ReadDefaultValues() {
    m_IniSettings->Sezione("Default");
    return {m_IniSettings->Leggi("DefaultVersion", ""), m_IniSettings->Leggi("DefaultAuthor", ""),
            m_IniSettings->Leggi("DefaultEmail", ""), m_IniSettings->Leggi("DefaultWebsite", "")};
}

void frmDesigner::mnuOptionsCopyBMP_Click() {
    ToggleOption("mnuOptionsCopyBMP", "CopyBitmapToSkinFolder", gCopyBitmapToSkinFolder);
}

void frmDesigner::mnuOptionsUseDefault_Click() {
    ToggleOption("mnuOptionsUseDefault", "UseDefault", gUseDefault);
    if (m_Loading || !gUseDefault) return;

    const auto [version, author, email, web] = ReadDefaultValues();
    if (MsgBox("Do you want set or change the default User values?", MB_YESNO | MB_ICONQUESTION) != IDYES) return;

    struct Ask {
        const char* key;
        std::string prompt, title, proposed, answer;
    } asks[] = {
        {"DefaultVersion", "Enter your version of Vexo:\r\n(ie: 1.2)", "Enter Version", version.empty() ? "1.2" : version, ""},
        {"DefaultAuthor", "Enter your Name author:", "Enter Author", author, ""},
        {"DefaultEmail", "Enter your Email address:", "Enter Email address", email, ""},
        {"DefaultWebsite", "Enter your Web Site address:", "Enter Web site address", web, ""},
    };
    for (Ask& a : asks) {
        a.answer = InputBox(a.prompt, a.title, a.proposed);
        if (!a.answer.empty()) m_IniSettings->Scrivi(a.key, a.answer);
    }
    if (TabStrip1.Enabled() &&
        MsgBox("Apply this informations to the current skin?", MB_OKCANCEL | MB_ICONQUESTION) != IDCANCEL) {
        txtSkinVersion.SetText(asks[0].answer);
        txtAuthor.SetText(asks[1].answer);
        txtEmail.SetText(asks[2].answer);
        txtWeb.SetText(asks[3].answer);
    }
}
