#include "tools/mkupdate/UpdateFolder.h"

#include "app/core/FileDigest.h"

#include "engine/data/Cp1250Text.h"
#include "engine/data/EngineException.h"
#include "engine/data/TimetableFileReader.h"
#include "engine/data/TimetableHeader.h"
#include "tools/jzwriter/TextEncoding.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace mkupdate {
namespace {

namespace fs = std::filesystem;

struct Entry {
    std::string title;  // Windows-1250, as the header holds it
    std::int16_t day = 0;
    std::uintmax_t bytes = 0;
    std::string description;  // Windows-1250
    std::string sha256;       // the file's digest, as the program checks the file it receives
};

void writeText(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    const fs::path temp = fs::path(path).concat(".tmp");
    {
        std::ofstream out(temp, std::ios::binary);
        out << text;
        if (!out.flush()) throw std::runtime_error("cannot write " + temp.string());
    }
    fs::rename(temp, path);
}

// A value or key of ours must not break the file's lines or its key = value form.
std::string oneLine(std::string text) {
    std::replace_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return text;
}

}  // namespace

Report writeUpdateFolder(const Options& options) {
    Report report;
    std::vector<Entry> entries;
    std::vector<fs::path> files;
    for (const auto& item : fs::directory_iterator(options.folder)) {
        if (item.is_regular_file() && item.path().extension() == ".jz") files.push_back(item.path());
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        const std::string name = file.filename().string();
        try {
            trasovnik::TimetableFileReader reader;
            reader.openFile(file.string());
            if (reader.magic() != trasovnik::TimetableFileReader::kMagic) {
                report.problems.push_back(name + ": not a timetable file");
                continue;
            }
            reader.readPlainBlockTable();
            const trasovnik::cHlavicka header = trasovnik::nactiHlavicku(reader);
            const std::string titleUtf8 = trasovnik::cp1250ToUtf8(header.title);
            if (file.stem().string() != titleUtf8 || header.title.find('=') != std::string::npos) {
                report.problems.push_back(name + ": the program asks for \"" + titleUtf8 +
                                          ".jz\"; rename the file to its title");
                continue;
            }
            const std::optional<pelorvant::Sha256> digest = pelorvant::sha256OfFile(file);
            if (!digest) {
                report.problems.push_back(name + ": cannot be read whole");
                continue;
            }
            entries.push_back({header.title, header.firstValidFrom, fs::file_size(file), header.firstText,
                               pelorvant::sha256Hex(*digest)});
            report.offered.push_back(titleUtf8);
        } catch (const trasovnik::EngineException& e) {
            report.problems.push_back(name + ": header cannot be read (" + trasovnik::engineCodeName(e.code()) + ")");
        }
    }

    std::ostringstream info;
    info << "[tt]\r\n";
    for (const auto& e : entries) info << e.title << "=" << e.day << "\r\n";
    info << "[size]\r\n";
    for (const auto& e : entries) info << e.title << "=" << e.bytes / 1024 << "\r\n";
    info << "[desc]\r\n";
    for (const auto& e : entries) {
        if (!e.description.empty()) info << e.title << "=" << oneLine(e.description) << "\r\n";
    }
    info << "[" << pelorvant::kDigestSection << "]\r\n";
    for (const auto& e : entries) info << e.title << "=" << e.sha256 << "\r\n";
    if (!options.dir.empty()) {
        info << "[setup]\r\ndir=" << oneLine(jz::toCp1250(options.dir, "--dir")) << "\r\n";
    }
    writeText(options.folder / "pelorakt.ini", info.str());

    std::ostringstream app;
    app << "[setup]\r\nlast=" << options.build << "\r\n";
    if (!options.version.empty()) {
        app << "version=" << oneLine(jz::toCp1250(options.version, "--version")) << "\r\n";
    }
    writeText(options.folder / "app" / "pelorakt.ini", app.str());
    return report;
}

}  // namespace mkupdate
