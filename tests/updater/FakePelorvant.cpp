// Stands in for the program in the updater's tests.
//   fake_pelorvant --serve <ready file>: runs as the program's instance with the main window
//       title "Pelorvant" (in $XDG_RUNTIME_DIR) and writes the ready file once it answers;
//       runs until killed.
//   fake_pelorvant <words...>: appends the words joined by spaces, one line, to the file named
//       by $FAKE_PELORVANT_RECORD and ends.
#include "platform/services/instance/PeerCheck.h"
#include "platform/services/instance/PrivateFolder.h"
#include "platform/services/instance/SingleInstance.h"

#include <cstdlib>
#include <fstream>
#include <string>

#include <unistd.h>

namespace {

class MainWindow final : public platform::services::InstanceRequests {
public:
    std::string title() override { return "Pelorvant"; }
    void raise() override {}
    void handOver() override {}
};

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--serve") {
        auto instance = platform::services::makeSingleInstance(platform::services::programOfSelf(),
                                                               platform::services::defaultRuntimeFolder());
        MainWindow window;
        if (!instance || !instance->claim() || !instance->serve(window))
            return 3;
        std::ofstream(argv[2]) << "ready\n";
        for (;;) ::pause();
    }
    const char* record = std::getenv("FAKE_PELORVANT_RECORD");
    if (record == nullptr) return 2;
    std::string line;
    for (int i = 1; i < argc; ++i) line += (i > 1 ? " " : "") + std::string(argv[i]);
    std::ofstream(record, std::ios::app) << line << "\n";
    return 0;
}
