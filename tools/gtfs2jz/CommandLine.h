#pragma once
// The importer's command line:
//   gtfs2jz <feed folder> -o <file.jz> [--walk-radius <metres>] [--distances-in-km]
// Messages go to `err`; the exit code is 0 on success, 1 for a faulty feed (no output file is
// written), 2 for a wrong command line.

#include <ostream>
#include <string>
#include <vector>

namespace gtfs2jz {

int runImporter(const std::vector<std::string>& args, std::ostream& err);

}  // namespace gtfs2jz
