#pragma once

#include "helpfile.h"

#include <QString>
#include <chrono>
#include <memory>

class TDM;
class TMainForm;

// What a start can be tuned with; the program uses the defaults.
struct StartOptions
{
    // How long the splash screen stays up at least.
    std::chrono::milliseconds splashTime = std::chrono::milliseconds(3000);
    // Where the single-instance lock lives; empty: the user's runtime directory.
    QString instanceDirectory;
    // Opens the help file at the end of enrolment.
    HelpOpener helpOpener = OpenHelpFile;
};

// The start-up sequence from the screen check to a signed-on user in front of the main
// window: splash screen, data module, main window created hidden, then enrolment on a
// database without a system user or sign-on otherwise.
class ProgramStart final
{
public:
    enum class Outcome {
        SignedOn,  // the main window is shown; run the event loop
        Ended,     // the user cancelled, or the start was refused with a message
        Failed,    // a failure was reported by the failure handler
    };

    explicit ProgramStart(StartOptions options = StartOptions());
    ~ProgramStart();
    ProgramStart(const ProgramStart &) = delete;
    ProgramStart &operator=(const ProgramStart &) = delete;

    Outcome run();

    // The main window once signed on; null otherwise.
    TMainForm *mainForm() const { return m_mainForm.get(); }

private:
    // The dialog that ends in a signed-on user; true when it ended with "OK".
    bool signOn();

    StartOptions m_options;
    std::unique_ptr<TDM> m_dataModule;
    std::unique_ptr<TMainForm> m_mainForm;
};
