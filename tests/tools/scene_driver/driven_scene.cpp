#include "tests/tools/scene_driver/driven_scene.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>

#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

namespace {

constexpr uint32_t kGrey = 0x808092;

int Channel(uint32_t c, int shift) {
    return int((c >> shift) & 0xFF);
}

Picture LoadPng(const QString& path) {
    Picture p;
    int channels = 0;
    unsigned char* data =
        stbi_load(path.toLocal8Bit().constData(), &p.width, &p.height, &channels, 3);
    if (!data) return p;
    p.rgb.assign(data, data + size_t(p.width) * size_t(p.height) * 3);
    stbi_image_free(data);
    return p;
}

}  // namespace

uint32_t Picture::At(int x, int y) const {
    const uint8_t* px = &rgb[(size_t(y) * size_t(width) + size_t(x)) * 3];
    return uint32_t(px[0]) << 16 | uint32_t(px[1]) << 8 | px[2];
}

int Picture::CountDifferences(const Picture& other, int tolerance) const {
    if (other.width != width || other.height != height) return width * height;
    int count = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t a = At(x, y), b = other.At(x, y);
            for (int shift : {0, 8, 16}) {
                if (std::abs(Channel(a, shift) - Channel(b, shift)) > tolerance) {
                    ++count;
                    break;
                }
            }
        }
    }
    return count;
}

int Picture::CountNotGrey(int x0, int y0, int x1, int y1) const {
    return CountMatching(x0, y0, x1, y1, [](uint32_t rgb) { return rgb != kGrey; });
}

int Picture::CountMatching(int x0, int y0, int x1, int y1, bool (*matches)(uint32_t)) const {
    int count = 0;
    for (int y = std::max(0, y0); y < std::min(height, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(width, x1); ++x) count += matches(At(x, y));
    return count;
}

bool XDoTool(const QStringList& args) {
    return XDoToolOn(qEnvironmentVariable("DISPLAY"), args);
}

bool XDoToolOn(const QString& display, const QStringList& args) {
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display);
    tool.setProcessEnvironment(environment);
    tool.start(QStringLiteral("xdotool"), args);
    return tool.waitForFinished(10000) && tool.exitStatus() == QProcess::NormalExit &&
           tool.exitCode() == 0;
}

DrivenScene::DrivenScene(bool withPackage) {
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/driven-XXXXXX"));
    dir.setAutoRemove(false);
    folder_ = dir.path();
    if (withPackage)
        QFile::link(QStringLiteral(RINGDISK_PACKAGE), folder_ + QStringLiteral("/dados.vpf"));
    process_ = std::make_unique<PeerProcess>(QStringLiteral("driver"), folder_,
                                             QStringLiteral(SCENE_DRIVER_PATH), QStringList{},
                                             QString::fromLatin1(withPackage ? "READY" : "STARTING"));
}

DrivenScene::~DrivenScene() {
    process_.reset();
    QDir(folder_).removeRecursively();
}

bool DrivenScene::Command(const QString& command) {
    const int from = process_->LineCount();
    process_->Send(command);
    return process_->WaitForLine(QStringLiteral("OK ") + command.section(' ', 0, 0), from) >= 0;
}

bool DrivenScene::Frames(int n) {
    const int from = process_->LineCount();
    process_->Send(QStringLiteral("frames %1").arg(n));
    // A long run of frames on a loaded machine: up to 50 ms a frame.
    return process_->WaitForLine(QStringLiteral("FRAMES done"), from,
                                 std::max(kPeerWaitMs, n * 50)) >= 0;
}

bool DrivenScene::WaitUntilStill() {
    for (int i = 0; i < 60; ++i) {
        if (!Frames(10) || !Command(QStringLiteral("state"))) return false;
        if (process_->Lines().filter(QStringLiteral("STATE")).last().contains(
                QStringLiteral("moving 0")))
            return true;
    }
    return false;
}

Picture DrivenScene::Screenshot(const QString& name) {
    const QString path = QDir::currentPath() + QLatin1Char('/') + name;
    QFile::remove(path);
    if (!Command(QStringLiteral("screenshot ") + path)) return {};
    return LoadPng(path);
}

std::string DrivenScene::Tail() const {
    return process_->Lines().mid(std::max(0, process_->LineCount() - 12)).join('\n').toStdString();
}

std::optional<QString> DrivenScene::WaitFor(const QString& prefix, int timeoutMs) {
    return process_->WaitForPrefix(prefix, mark_, timeoutMs);
}

std::optional<int> DrivenScene::Quit() {
    process_->Send(QStringLiteral("quit"));
    return process_->WaitForExit();
}

ReportedAim ReadReportedAim(DrivenScene& scene) {
    // The library reports the aim every 20th still step.
    constexpr int kFramesToReport = 25;
    ReportedAim aim;
    if (!scene.Frames(kFramesToReport) || !scene.Command(QStringLiteral("aim"))) return aim;
    const QStringList values =
        scene.process().Lines().filter(QStringLiteral("AIMED ")).last().split(' ');
    aim.x = values.value(1).toFloat();
    aim.z = values.value(2).toFloat();
    aim.force = values.value(3).toFloat();
    aim.angle = values.value(4).toFloat();
    aim.phase = values.value(5).toInt();
    return aim;
}
