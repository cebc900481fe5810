#pragma once
// Modal message boxes centred on their owner: the platform's standard
// message dialog with the given caption instead of the standard one.
#include <string>

class QWidget;

class MessageBoxes {
public:
    enum Icon { kIconError, kIconWarning, kIconInformation };
    enum Buttons { kButtonsOk, kButtonsOkCancel };
    enum Result { kResultOk = 1, kResultCancel = 2 };

    // Text and caption are CP932; kResultOk or kResultCancel.
    static int Show(QWidget& owner, const std::string& text, const std::string& caption, Icon icon,
                    Buttons buttons);
};
