// The splash window, shown at start-up and as the About window.
#pragma once

#include <memory>

#include "Form.h"
#include "Label.h"

class frmSplash : public Form {
public:
    frmSplash();
    ~frmSplash() override;

    Label lblProductName{"lblProductName"}, lblVersion{"lblVersion"}, lblPlatform{"lblPlatform"},
        lblCopyright{"lblCopyright"}, lblWarning{"lblWarning"};

    // "Version 0.2.0 " from the program's version information.
    static std::string VersionText();
    static std::string LegalLine();

protected:
    void CreateControls() override;
    void Form_Load() override;
    void Form_MouseUp(int button, int shift, float x, float y) override;

private:
    void SetClientEdge();
};

extern std::unique_ptr<frmSplash> gFrmSplash;
