#include "tools/assetgen/midi_file.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace assetgen {

namespace {

void PutVariable(std::vector<unsigned char>& out, std::uint32_t value) {
    unsigned char bytes[5];
    int n = 0;
    bytes[n++] = value & 0x7F;
    while ((value >>= 7) != 0) bytes[n++] = static_cast<unsigned char>((value & 0x7F) | 0x80);
    while (n > 0) out.push_back(bytes[--n]);
}

void PutBig(std::vector<unsigned char>& out, std::uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<unsigned char>((value >> (8 * i)) & 0xFF));
}

std::vector<unsigned char> Chunk(const char* tag, const std::vector<unsigned char>& body) {
    std::vector<unsigned char> out(tag, tag + 4);
    PutBig(out, std::uint32_t(body.size()), 4);
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

std::vector<unsigned char> TrackName(const std::string& name) {
    std::vector<unsigned char> meta = {0xFF, 0x03};
    PutVariable(meta, std::uint32_t(name.size()));
    meta.insert(meta.end(), name.begin(), name.end());
    return meta;
}

}  // namespace

MidiTrack::MidiTrack(std::string name, int channel, int program)
    : name_(std::move(name)), channel_(channel), program_(program) {}

void MidiTrack::Note(int start, int length, int key, int velocity) {
    key = std::clamp(key, 0, 127);
    velocity = std::clamp(velocity, 1, 127);
    const auto status = static_cast<unsigned char>(channel_);
    events_.push_back({start,
                       1,
                       {static_cast<unsigned char>(0x90 | status), static_cast<unsigned char>(key),
                        static_cast<unsigned char>(velocity)}});
    events_.push_back(
        {start + std::max(1, length),
         0,
         {static_cast<unsigned char>(0x80 | status), static_cast<unsigned char>(key), 64}});
    end_ = std::max(end_, start + std::max(1, length));
}

std::vector<unsigned char> MidiTrack::Encode() const {
    // A note still sounding at the loop point is let go there, so nothing
    // rings on into the song's next pass.
    std::vector<Event> events = events_;
    for (Event& e : events) e.tick = std::min(e.tick, end_);
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::vector<unsigned char> body;
    PutVariable(body, 0);
    const std::vector<unsigned char> name = TrackName(name_);
    body.insert(body.end(), name.begin(), name.end());
    if (program_ >= 0) {
        PutVariable(body, 0);
        body.push_back(static_cast<unsigned char>(0xC0 | channel_));
        body.push_back(static_cast<unsigned char>(program_));
    }
    const unsigned char controllers[3][2] = {{7, static_cast<unsigned char>(mix_.volume)},
                                             {10, static_cast<unsigned char>(mix_.pan)},
                                             {91, static_cast<unsigned char>(mix_.reverb)}};
    for (const auto& c : controllers) {
        PutVariable(body, 0);
        body.insert(body.end(), {static_cast<unsigned char>(0xB0 | channel_), c[0], c[1]});
    }
    int now = 0;
    for (const Event& e : events) {
        PutVariable(body, std::uint32_t(e.tick - now));
        body.insert(body.end(), e.bytes.begin(), e.bytes.end());
        now = e.tick;
    }
    PutVariable(body, std::uint32_t(std::max(0, end_ - now)));
    body.insert(body.end(), {0xFF, 0x2F, 0x00});
    return Chunk("MTrk", body);
}

void WriteMidi(const std::filesystem::path& path, int beatsPerMinute, int endTick,
               std::vector<MidiTrack> tracks) {
    std::vector<unsigned char> conductor;
    PutVariable(conductor, 0);
    conductor.insert(conductor.end(), {0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08});  // 4/4
    PutVariable(conductor, 0);
    conductor.insert(conductor.end(), {0xFF, 0x51, 0x03});
    PutBig(conductor, std::uint32_t(60000000 / beatsPerMinute), 3);
    PutVariable(conductor, std::uint32_t(endTick));
    conductor.insert(conductor.end(), {0xFF, 0x2F, 0x00});

    std::vector<unsigned char> file;
    std::vector<unsigned char> header;
    PutBig(header, 1, 2);  // format 1
    PutBig(header, std::uint32_t(tracks.size() + 1), 2);
    PutBig(header, kTicksPerQuarter, 2);
    const auto head = Chunk("MThd", header);
    file.insert(file.end(), head.begin(), head.end());
    const auto first = Chunk("MTrk", conductor);
    file.insert(file.end(), first.begin(), first.end());
    for (MidiTrack& t : tracks) {
        t.SetEnd(endTick);
        const auto bytes = t.Encode();
        file.insert(file.end(), bytes.begin(), bytes.end());
    }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace assetgen
