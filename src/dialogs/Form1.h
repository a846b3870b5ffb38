// The window that is never shown: it only owns the controls that the open
// dialog's hook borrows (preview box, scratch box, check box, banners).
#pragma once

#include <memory>

#include "Form.h"
#include "Label.h"
#include "PictureBox.h"
#include "StdControls.h"

class Form1 : public Form {
public:
    Form1();
    ~Form1() override;

    PictureBox picPreview{"picPreview"};
    PictureBox picTemp{"picTemp"};
    CheckBox chkPreview{"chkPreview"};
    Image Image1{"Image1"};  // banner above the skin dialog's controls
    Image Image2{"Image2"};  // banner beside the dialog's controls

    // Keeps the value and repaints the previewed file at once, stretched or not.
    void chkPreview_Click();

protected:
    void CreateControls() override;
};

extern std::unique_ptr<Form1> gForm1;

// The single instance, made and loaded on first use.
Form1& GetForm1();
// Unloads and drops the instance, so the next use starts from the design state.
void UnloadForm1();
