// jzdump: prints the header and a readable summary of a timetable file.
#include <iostream>

int main(int argc, char** argv) {
    (void)argv;
    if (argc != 2) {
        std::cerr << "usage: jzdump <file.jz>\n";
        return 2;
    }
    std::cerr << "jzdump: not written yet\n";
    return 1;
}
