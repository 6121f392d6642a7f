// The scene driver in a process of its own, in a scratch folder (with or
// without the built package), on the test's virtual display: commands in,
// answers and the library's callbacks out, screenshots read back as
// pictures, and the real pointer moved with xdotool.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <vector>

#include "tests/frontend/network/peer_process.h"

struct Picture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;  // 3 bytes a pixel, rows top to bottom
    bool Empty() const { return rgb.empty(); }
    uint32_t At(int x, int y) const;
    // Pixels whose colour differs by more than tolerance in any channel.
    int CountDifferences(const Picture& other, int tolerance = 8) const;
    // Pixels in the rectangle that are not the background grey.
    int CountNotGrey(int x0, int y0, int x1, int y1) const;
    // Pixels in the rectangle whose 0xRRGGBB colour matches.
    int CountMatching(int x0, int y0, int x1, int y1, bool (*matches)(uint32_t rgb)) const;
};

// Runs xdotool with the arguments on the test's display; true when it
// exited 0.
bool XDoTool(const QStringList& args);
// The same on another display, such as the one a compositor runs on.
bool XDoToolOn(const QString& display, const QStringList& args);

class DrivenScene;

// The aim as the library last reported it through the driver.
struct ReportedAim {
    float x = 0, z = 0, force = 0, angle = 0;
    int phase = -1;  // -1 when nothing could be read
};
// Lets enough frames run for the library to report the aim again, then
// reads it.
ReportedAim ReadReportedAim(DrivenScene& scene);

class DrivenScene {
public:
    // Starts the driver in a new folder and waits for the scene; without the
    // package it waits only for the start to begin (the library's box then
    // holds it).
    explicit DrivenScene(bool withPackage = true);
    ~DrivenScene();

    bool Ready() { return process_->Ready(); }
    PeerProcess& process() { return *process_; }
    const QString& folder() const { return folder_; }

    // Sends a command and waits for its "OK" line.
    bool Command(const QString& command);
    // Lets n frames run; false when they did not within 50 ms a frame (or
    // the usual wait, if longer).
    bool Frames(int n);
    // Lets frames run until the table is still; false when it does not
    // settle within ten seconds of frames.
    bool WaitUntilStill();
    // Saves the window as name (in the test's run folder, kept for people
    // to look at) and reads it back.
    Picture Screenshot(const QString& name);
    // The driver's last lines, for a failure message.
    std::string Tail() const;
    // The first callback line with the prefix after the mark.
    std::optional<QString> WaitFor(const QString& prefix, int timeoutMs = kPeerWaitMs);
    void Mark() { mark_ = process_->LineCount(); }
    // Quits and answers the exit status (nullopt when it did not end).
    std::optional<int> Quit();

private:
    QString folder_;
    std::unique_ptr<PeerProcess> process_;
    int mark_ = 0;
};
