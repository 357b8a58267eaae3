// SPDX-License-Identifier: GPL-3.0-or-later
// Stands in for a program started from a link field: writes its working
// folder, its own path and every argument, one per line, to the file named by
// QUORVEL_LINK_RECORD (written to a temporary name and renamed, so that a
// reader never sees half of it).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    const char* record = std::getenv("QUORVEL_LINK_RECORD");
    if (!record)
        return 2;
    const std::string target = record;
    const std::string partial = target + ".part";
    {
        std::ofstream out(partial, std::ios::binary);
        out << std::filesystem::current_path().string() << '\n';
        for (int i = 0; i < argc; ++i)
            out << argv[i] << '\n';
        if (!out)
            return 1;
    }
    return std::rename(partial.c_str(), target.c_str()) == 0 ? 0 : 1;
}
