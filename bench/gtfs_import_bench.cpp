// Importing a national-scale feed: a synthetic GTFS folder of 10 million stop times (20 000
// platforms, 2 000 routes of 40 stops, 250 000 trips, three services with exceptions,
// transfers, a walking radius, trips past midnight) is generated once into /tmp and imported
// by the gtfs2jz program in a child process; the benchmark reports the wall time and the
// child's peak resident memory.
//
//   build/<release dir>/bench/gtfs_import_bench [--scale=0.1] [benchmark flags]
//
// The importer is found next to the benchmark (../tools/gtfs2jz). Goals for the full scale:
// under a minute and under 4 GB.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

double gScale = 1.0;

struct FeedShape {
    int stopsPerSide;  // platforms on a square grid
    int routes;
    int stopsPerRoute;
    int tripsPerRoute;
};

FeedShape shapeOf(double scale) {
    FeedShape s{142, static_cast<int>(2000 * scale), 40, 125};
    if (s.routes < 1) {
        s.routes = 1;
    }
    return s;
}

class FeedFile {
public:
    explicit FeedFile(const std::string& path) : f_(std::fopen(path.c_str(), "wb")) {
        if (!f_) {
            std::perror(path.c_str());
            std::exit(1);
        }
    }
    ~FeedFile() { std::fclose(f_); }
    FeedFile(const FeedFile&) = delete;
    FeedFile& operator=(const FeedFile&) = delete;
    std::FILE* get() { return f_; }

private:
    std::FILE* f_;
};

// Writes the feed unless a complete one of this scale is already there.
std::string generateFeed(double scale) {
    const FeedShape shape = shapeOf(scale);
    const std::string dir = "/tmp/gtfs_bench_v2_" + std::to_string(shape.routes);
    if (std::filesystem::exists(dir + "/complete")) {
        return dir;
    }
    std::filesystem::create_directories(dir);
    {
        FeedFile f(dir + "/agency.txt");
        std::fputs(
            "agency_id,agency_name,agency_url,agency_timezone\nA,Národní doprava,"
            "https://example.invalid,Europe/Prague\n",
            f.get());
    }
    {
        FeedFile f(dir + "/feed_info.txt");
        std::fputs(
            "feed_publisher_name,feed_publisher_url,feed_lang,feed_start_date,"
            "feed_end_date\nCelostátní jízdní řád,https://example.invalid,cs,20261213,"
            "20271211\n",
            f.get());
    }
    const int side = shape.stopsPerSide;
    {
        // 20 000 platforms about 190 m apart over the country; every tenth pair of
        // neighbours forms a station.
        FeedFile f(dir + "/stops.txt");
        std::fputs("stop_id,stop_name,stop_lat,stop_lon,location_type,parent_station\n", f.get());
        for (int y = 0; y < side; ++y) {
            for (int x = 0; x < side; ++x) {
                int i = y * side + x;
                double lat = 48.6 + y * 0.0017;
                double lon = 12.1 + x * 0.0026 + (y % 2) * 0.0004;
                std::fprintf(f.get(), "P%d,\"Zastávka %d, nástupiště\",%.6f,%.6f,0,%s\n", i, i / 2,
                             lat, lon, i % 20 < 2 ? ("ST" + std::to_string(i / 20)).c_str() : "");
            }
        }
        for (int s = 0; s < side * side / 20 + 1; ++s) {
            std::fprintf(f.get(), "ST%d,Stanice %d,48.6,12.1,1,\n", s, s);
        }
    }
    {
        FeedFile f(dir + "/routes.txt");
        std::fputs("route_id,agency_id,route_short_name,route_long_name,route_type,route_color\n",
                   f.get());
        for (int r = 0; r < shape.routes; ++r) {
            std::fprintf(f.get(), "R%d,A,%d,Linka %d,%d,%s\n", r, r, r, r % 10 == 0 ? 2 : 3,
                         r % 10 == 0 ? "1E3C78" : "");
        }
    }
    {
        FeedFile f(dir + "/calendar.txt");
        std::fputs(
            "service_id,monday,tuesday,wednesday,thursday,friday,saturday,sunday,start_"
            "date,end_date\nW,1,1,1,1,1,0,0,20261213,20271211\nE,0,0,0,0,0,1,1,20261213,"
            "20271211\nD,1,1,1,1,1,1,1,20261213,20271211\n",
            f.get());
        FeedFile d(dir + "/calendar_dates.txt");
        std::fputs(
            "service_id,date,exception_type\nW,20261224,2\nW,20261225,2\nE,20261224,1\n"
            "E,20261225,1\nW,20270101,2\nE,20270101,1\n",
            d.get());
    }
    {
        FeedFile t(dir + "/trips.txt");
        FeedFile st(dir + "/stop_times.txt");
        std::fputs("route_id,service_id,trip_id,direction_id\n", t.get());
        std::fputs(
            "trip_id,arrival_time,departure_time,stop_id,stop_sequence,pickup_type,"
            "drop_off_type,shape_dist_traveled\n",
            st.get());
        static const char* kServices[] = {"W", "E", "D"};
        for (int r = 0; r < shape.routes; ++r) {
            // A route runs along a row or a column of the grid, from a point set by its number.
            bool alongRow = r % 2 == 0;
            int fixed = (r * 7) % side;
            int from = (r * 13) % (side - shape.stopsPerRoute);
            for (int k = 0; k < shape.tripsPerRoute; ++k) {
                bool back = k % 2 == 1;
                int start = 4 * 60 + (k * 1200) / shape.tripsPerRoute + r % 17;  // up to 24:17
                std::fprintf(t.get(), "R%d,%s,R%dT%d,%d\n", r, kServices[k % 3], r, k, back);
                int minute = start;
                double dist = 0;
                for (int p = 0; p < shape.stopsPerRoute; ++p) {
                    int q = back ? shape.stopsPerRoute - 1 - p : p;
                    int a = alongRow ? fixed : from + q;
                    int b = alongRow ? from + q : fixed;
                    int stop = a * side + b;
                    // Dwells and running times vary by route and by hour, as in real
                    // timetables, so that trips share time patterns only within groups.
                    int dwell = (p + r) % 5 == 0 ? 1 : 0;
                    int run = 1 + (q + r + start / 240) % 3;
                    std::fprintf(st.get(), "R%dT%d,%02d:%02d:00,%02d:%02d:00,P%d,%d,%d,%d,%.1f\n",
                                 r, k, minute / 60, minute % 60, (minute + dwell) / 60,
                                 (minute + dwell) % 60, stop, p + 1, p == shape.stopsPerRoute - 1,
                                 p == 0, dist);
                    minute += dwell + run;
                    dist += 190.0 + (q % 3) * 10;
                }
            }
        }
    }
    {
        FeedFile f(dir + "/transfers.txt");
        std::fputs("from_stop_id,to_stop_id,transfer_type,min_transfer_time\n", f.get());
        for (int s = 0; s + 1 < side * side; s += 20) {
            std::fprintf(f.get(), "P%d,P%d,2,120\nP%d,P%d,2,120\n", s, s + 1, s + 1, s);
        }
    }
    FeedFile done(dir + "/complete");
    return dir;
}

std::string importerPath() {
    char self[4096] = {};
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    std::filesystem::path p =
        n > 0 ? std::filesystem::path(std::string(self, static_cast<std::size_t>(n)))
              : std::filesystem::path("bench/gtfs_import_bench");
    return (p.parent_path().parent_path() / "tools" / "gtfs2jz").string();
}

void BM_ImportNationalFeed(benchmark::State& state) {
    const std::string feed = generateFeed(gScale);
    const std::string importer = importerPath();
    const std::string out = "/tmp/gtfs_bench_out.jz";
    long peakKb = 0;
    for (auto _ : state) {
        pid_t pid = fork();
        if (pid == 0) {
            int devnull = open("/dev/null", O_WRONLY);
            dup2(devnull, 2);
            execl(importer.c_str(), importer.c_str(), feed.c_str(), "-o", out.c_str(),
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError(("importer failed: " + importer).c_str());
            break;
        }
        peakKb = std::max(peakKb, usage.ru_maxrss);
    }
    state.counters["peak_MB"] = static_cast<double>(peakKb) / 1024.0;
    std::error_code ec;
    state.counters["file_MB"] =
        static_cast<double>(std::filesystem::file_size(out, ec)) / (1024.0 * 1024.0);
    std::filesystem::remove(out, ec);
}
BENCHMARK(BM_ImportNationalFeed)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--scale=", 8) == 0) {
            gScale = std::atof(argv[i] + 8);
        } else {
            rest.push_back(argv[i]);
        }
    }
    int n = static_cast<int>(rest.size());
    benchmark::Initialize(&n, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
