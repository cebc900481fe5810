#pragma once
// How the detail window's selection moves by keys and the mouse wheel: one
// entry up or down, passing over category titles, so that a step never
// rests on a title while an entry beyond it exists.
#include <string>
#include <vector>

class DetailSelection {
public:
    static constexpr int kNone = -1;
    static constexpr int kPage = 10;  // Page Up and Page Down: ten steps

    // The entry selected after `steps` steps from selected (kNone: nothing
    // selected): up for negative steps, down for positive ones.
    static int Step(const std::vector<std::string>& entries, int selected, int steps);

private:
    static int Up(const std::vector<std::string>& entries, int selected);
    static int Down(const std::vector<std::string>& entries, int selected);
};
