// A host program the process tests start through a launcher. Its one argument is the Windows
// command line after the program name:
//   exit N        ends with N
//   sleep MS      sleeps, then ends with 0
//   record PATH   writes its arguments and environment to the host file PATH, ends with 0
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    const std::string line = argc > 1 ? argv[1] : "";
    const std::size_t blank = line.find(' ');
    const std::string word = line.substr(0, blank);
    const std::string rest = blank == std::string::npos ? "" : line.substr(blank + 1);
    if (word == "exit") {
        return std::atoi(rest.c_str());
    }
    if (word == "sleep") {
        ::usleep(static_cast<useconds_t>(std::atoi(rest.c_str())) * 1000u);
        return 0;
    }
    if (word == "record") {
        std::FILE* out = std::fopen(rest.c_str(), "w");
        if (out == nullptr) {
            return 3;
        }
        const char* machine = std::getenv("HALVERN_MACHINE");
        const char* program = std::getenv("HALVERN_PROGRAM");
        const char* cwd = std::getenv("HALVERN_CWD");
        std::fprintf(out, "argc=%d\nline=%s\nmachine=%s\nprogram=%s\ncwd=%s\n", argc, line.c_str(),
                     machine ? machine : "", program ? program : "", cwd ? cwd : "");
        std::fclose(out);
        return 0;
    }
    return 9;
}
