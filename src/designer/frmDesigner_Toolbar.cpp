// The designer's toolbar: seven image buttons in a rebar band, their enabled
// states, their clicks and hints, and the status bar's saved/changed tooltip.
#include <windows.h>

#include <array>

#include "DesignerLayout.h"
#include "frmDesigner.h"
#include "modToolBar.h"

namespace {
constexpr int32_t kMaskColor = 0xFF00FF;  // magenta background of the toolbar bitmaps
constexpr int kToolbarBitmapCount = 7;
constexpr int kRebarWidth = 600, kRebarHeight = 90;

// Positions on the toolbar, separators included; a command id is position + 1.
namespace Pos {
constexpr int32_t New = 0, Open = 1, Save = 2, PreviewVexo = 4, PreviewInput = 5, Update = 7, WhatThis = 9;
}

struct ButtonLayout {
    int32_t image;  // index in the image list; -1 for a separator
    int32_t style;  // 0 a button, 1 a separator
    int textEntry;  // entry of gToolbarButtons; -1 for a separator
};

// Update Preview shows the circular arrows (image 6) and What This? the question mark (image 5).
constexpr std::array<ButtonLayout, 10> kButtonLayout{{
    {0, 0, 0}, {1, 0, 1}, {2, 0, 2}, {-1, 1, -1}, {3, 0, 3}, {4, 0, 4}, {-1, 1, -1}, {6, 0, 5}, {-1, 1, -1}, {5, 0, 6},
}};

const std::array<ToolbarButtonText, 7>& ButtonTexts() {
    static const std::array<ToolbarButtonText, 7> texts{{
        {"New", "Create a new skin"},
        {"Open", "Open a existing skin from disk"},
        {"Save", "Save current skin"},
        {"Vexo main preview", "Show the Vexo main window preview"},
        {"Input Settings preview", "Show the Input Settings window preview"},
        {"Update Preview", "Update all the preview windows, if any is open"},
        {"What This?", "Show a short quick help for any object"},
    }};
    return texts;
}
}  // namespace

void frmDesigner::CreateToolbarObjects() {
    m_CoolBar = std::make_unique<clsCoolBar>();
    m_ImageList = std::make_unique<clsImageList>();
    m_ToolBar = std::make_unique<clsToolBar>();
    sb1.MouseMove = [this](int button, int shift, float x, float y) { sb1_MouseMove(button, shift, x, y); };
}

void frmDesigner::ReleaseToolbarObjects() {
    // The toolbar first: it puts the window procedure back and still shows the image list.
    m_ToolBar.reset();
    m_CoolBar.reset();
    m_ImageList.reset();
}

void frmDesigner::Toolbar_Initialize() {
    for (int i = 0; i < kToolbarBitmapCount; ++i)
        m_ImageList->Add(Picture::LoadBitmapResource(ToolbarFirstBitmapId() + i), kMaskColor);

    gToolbarButtons.assign(ButtonTexts().begin(), ButtonTexts().end());

    m_ToolBar->Create(Hwnd(), 0, 0, 0, 0);
    m_ToolBar->SetImageList(m_ImageList->hImageList);
    for (const ButtonLayout& b : kButtonLayout) {
        if (b.textEntry < 0) {
            m_ToolBar->AddButton(b.image, b.style, "", "");
        } else {
            const ToolbarButtonText& t = gToolbarButtons[static_cast<size_t>(b.textEntry)];
            m_ToolBar->AddButton(b.image, b.style, t.TipText, t.HelpText);
        }
    }
    EnableButton(Pos::Save, false);
    EnableButton(Pos::PreviewVexo, false);
    EnableButton(Pos::PreviewInput, false);

    m_CoolBar->Create(Hwnd(), 0, 0, kRebarWidth, kRebarHeight);
    m_CoolBar->AddBand(m_ToolBar->hWnd, "");
}

void frmDesigner::EnableButton(int32_t position, bool enabled) {
    if (m_ToolBar) m_ToolBar->SetButtonEnabled(position + 1, enabled);
}

void frmDesigner::ButtonInfo_ButtonClick(int32_t position) {
    // Each runs as its menu command does, its failures reported under its own name.
    switch (position) {
    case Pos::New: Run("mnuFileNew_Click", [this] { mnuFileNew_Click(); }); break;
    case Pos::Open: Run("mnuFileOpen_Click", [this] { mnuFileOpen_Click(); }); break;
    case Pos::Save: Run("mnuFileSave_Click", [this] { mnuFileSave_Click(); }); break;
    case Pos::PreviewVexo: Run("mnuPreviewVexo_Click", [this] { mnuPreviewVexo_Click(); }); break;
    case Pos::PreviewInput: Run("mnuPreviewInput_Click", [this] { mnuPreviewInput_Click(); }); break;
    case Pos::Update: Run("mnuPreviewUpdate_Click", [this] { mnuPreviewUpdate_Click(); }); break;
    case Pos::WhatThis: Run("mnuHelpWhatThis_Click", [this] { mnuHelpWhatThis_Click(); }); break;
    default: break;
    }
}

void frmDesigner::sb1_MouseMove(int, int, float, float) {
    sb1.SetPanelToolTip("img", sb1.PanelPicture("img") == imgChanged.GetPicture() ? kStateChanged : kStateSaved);
}
