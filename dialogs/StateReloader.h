#pragma once
// What a dialog that changes the quit record asks of the main window: rebuild
// its displays from the settings file.

class IStateReloader {
public:
    virtual ~IStateReloader() = default;
    virtual void LoadState() = 0;
};
