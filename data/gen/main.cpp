// veltodata: writes the runtime data from the sources under data/, or dumps a dictionary file.
//   veltodata generate <source dir> <runtime dir>
//   veltodata dump <velto.dat>
#include <cstdio>
#include <exception>
#include <string>

#include "datfile.h"
#include "listfiles.h"
#include "textutil.h"

int main(int argc, char** argv) {
    std::string mode = argc > 1 ? argv[1] : "";
    try {
        if (mode == "generate" && argc == 4) {
            veltodata::WriteRuntime(argv[2], argv[3]);
            return 0;
        }
        if (mode == "dump" && argc == 3) {
            std::string text =
                veltodata::DumpText(veltodata::DecodeFile(veltodata::ReadFile(argv[2])));
            std::fwrite(text.data(), 1, text.size(), stdout);
            return 0;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "veltodata: %s\n", e.what());
        return 1;
    }
    std::fprintf(stderr,
                 "usage: veltodata generate <source dir> <runtime dir>\n"
                 "       veltodata dump <velto.dat>\n");
    return 2;
}
