#pragma once
// The command objects behind the main window's menus: one of each kind,
// made on first use with the window roles it asks for in its constructor,
// and the main window's own actions. A menu row names its handler through
// here, so a new command needs no member anywhere.
#include <map>
#include <memory>
#include <type_traits>
#include <typeindex>

class DialogHost;
class FrameListView;
class ProgramModel;

// The main window's own commands (the ﾓﾆﾀｰ menu, the tool bar, the about
// box, the end of the program).
class MainActions {
public:
    virtual ~MainActions() = default;
    virtual void StartMonitoring() = 0;
    virtual void StopMonitoring() = 0;
    virtual void ToggleLampPanel() = 0;
    virtual void ToggleToolBar() = 0;
    virtual void AboutMenuClick() = 0;
    virtual void Exit() = 0;
};

class MainCommands {
public:
    MainCommands(DialogHost& dialogs, FrameListView& list, ProgramModel& model, MainActions& actions)
        : dialogs_(dialogs), list_(list), model_(model), actions_(actions) {}

    MainActions& Actions() { return actions_; }

    template <typename T>
    T& Get() {
        std::shared_ptr<void>& slot = objects_[std::type_index(typeid(T))];
        if (!slot) slot = Make<T>();
        return *static_cast<T*>(slot.get());
    }

private:
    // The constructor's roles, in the order the commands take them.
    template <typename T>
    std::shared_ptr<T> Make() {
        if constexpr (std::is_constructible_v<T, DialogHost&, FrameListView&, ProgramModel&>)
            return std::make_shared<T>(dialogs_, list_, model_);
        else if constexpr (std::is_constructible_v<T, DialogHost&, ProgramModel&>)
            return std::make_shared<T>(dialogs_, model_);
        else if constexpr (std::is_constructible_v<T, DialogHost&, FrameListView&>)
            return std::make_shared<T>(dialogs_, list_);
        else
            return std::make_shared<T>(dialogs_);
    }

    DialogHost& dialogs_;
    FrameListView& list_;
    ProgramModel& model_;
    MainActions& actions_;
    std::map<std::type_index, std::shared_ptr<void>> objects_;
};
