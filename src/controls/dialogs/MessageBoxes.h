#pragma once
// Message boxes and the system beep, behind an interface so that handlers
// run in tests without a person to press OK.

#include <QString>

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // A modal message with an OK button only and no icon.
    virtual void show(const QString& text, const QString& title) = 0;
    virtual void beep() = 0;
};

class QtMessageBoxes final : public MessageBoxes {
public:
    void show(const QString& text, const QString& title) override;
    void beep() override;
};
