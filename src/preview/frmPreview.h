// The main-window preview: the host's main window as Vexo would show it in the skin
// being edited, with the pressed look of its twelve buttons.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "AppError.h"
#include "ControlArray.h"
#include "Form.h"
#include "ISkinSource.h"
#include "Label.h"
#include "PictureBox.h"

class frmPreview : public Form {
public:
    explicit frmPreview(const ISkinSource& skin);
    ~frmPreview() override;

    // Composes the mock-up from the skin's live values. Reports nothing: a step that
    // fails is skipped.
    void Draw();

    // Runs when the window unloads, whoever unloads it.
    std::function<void()> Unloaded;

    // How the panels' marks take their colours: straight in the image's pixels, pixel by
    // pixel through GetPixel/SetPixel, or not at all (the benchmark compares the three).
    enum class Recolor { Direct, PerPixel, Skip };
    Recolor RecolorMode = Recolor::Direct;

    PictureBox picVexo{"picVexo"};
    PictureBox picTitlebar{"picTitlebar"};
    Image imgBorder3D{"imgBorder3D"};
    PictureBox picMenuSettings{"picMenuSettings"}, picItem{"picItem"};
    Label Label1{"Label1"}, Label2{"Label2"}, Label3{"Label3"}, Label4{"Label4"}, Label5{"Label5"},
        Label6{"Label6"};
    PictureBox picProgress{"picProgress"}, picStatus{"picStatus"}, picInputAUDIO{"picInputAUDIO"},
        picInputVIDEO{"picInputVIDEO"}, picInputSUBTITLE{"picInputSUBTITLE"}, picSlider{"picSlider"},
        picNumbers{"picNumbers"}, picOutput{"picOutput"};
    ControlArray<PictureBox> picBtn{"picBtn", 0, 11};
    // The progress blocks: element 0 is designed, 1 to 12 are made by the first Draw.
    PictureBox& picPBar(int index) { return *m_PBar.at(static_cast<size_t>(index)); }
    int PBarCount() const { return static_cast<int>(m_PBar.size()); }
    // Hidden: the scratch box, and the panel templates.
    PictureBox picTmp{"picTmp"};
    PictureBox picTmpProgress{"picTmpProgress"}, picTmpStatus{"picTmpStatus"}, picTmpSlider{"picTmpSlider"},
        picTmpNumbers{"picTmpNumbers"}, picTmpOutput{"picTmpOutput"};

    // The up look of the button being pressed; one press at a time.
    Picture m_ButtonUpPicture;

    void picBtn_MouseDown(int index, int button, int shift, float x, float y);
    void picBtn_MouseUp(int index, int button, int shift, float x, float y);

protected:
    void CreateControls() override;
    void Form_Load() override;
    void Form_KeyUp(int keyCode, int shift) override;
    void Form_Unload(bool& cancel) override;

private:
    std::string SlotPath(const std::string& folder, int slot) const;
    // A slot's bitmap as Draw loads it; raises the load's error.
    Picture LoadSlot(int slot);
    // Loads a slot's bitmap into picTmp; on a failure picTmp keeps what it held.
    void LoadIntoTmp(int slot);
    // Tiles controlback into the panel and lays the template over it.
    void PanelLay(PictureBox& panel, const PictureBox& templ);
    void PanelMarks(PictureBox& panel, int x1, int y1, const std::function<COLORREF()>& black,
                    const std::function<COLORREF()>& red = nullptr);
    void PanelRecolor(PictureBox& panel, const PictureBox& templ, int markSlot);
    COLORREF SlotColor(int slot) const;
    void Compose();
    void DrawButtonsUp();
    void DrawProgressBlocks();

    const ISkinSource& m_Skin;
    std::string m_Folder;  // the skin's bitmap folder, taken once per Draw
    // What one Draw has loaded, by path: it does not pump messages, so a file loaded twice
    // in one call is the same picture, and a load that failed fails again. Nothing is kept
    // from one Draw to the next: each shows the files as they are on disk.
    struct Loaded {
        Picture picture;
        std::optional<AppError> error;
    };
    std::map<std::string, Loaded> m_Loaded;
    std::vector<std::unique_ptr<PictureBox>> m_PBar;
};

// The main-window preview's single instance.
extern std::unique_ptr<frmPreview> gFrmPreview;
