// makedb: builds a database file from a checked-in SQL script, only when the file is missing.
//
//   makedb <script.sql> <target.MDB> [--replace]
//
// Without --replace an existing target is kept untouched, so rebuilding never
// overwrites a program folder that already holds user data.
#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: makedb <script.sql> <target> [--replace]\n");
        return 2;
    }
    const fs::path script = argv[1];
    const fs::path target = argv[2];
    const bool replace = argc > 3 && std::string(argv[3]) == "--replace";

    if (fs::exists(target) && !replace)
        return 0;

    std::ifstream in(script, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "makedb: cannot read %s\n", script.c_str());
        return 1;
    }
    std::stringstream sql;
    sql << in.rdbuf();

    std::error_code ec;
    fs::create_directories(target.parent_path(), ec);
    const fs::path temp = target.string() + ".tmp";
    fs::remove(temp, ec);

    sqlite3* db = nullptr;
    if (sqlite3_open(temp.c_str(), &db) != SQLITE_OK) {
        std::fprintf(stderr, "makedb: cannot create %s: %s\n", temp.c_str(), sqlite3_errmsg(db));
        sqlite3_close(db);
        return 1;
    }
    char* err = nullptr;
    const std::string text = "BEGIN;\n" + sql.str() + "\nCOMMIT;";
    if (sqlite3_exec(db, text.c_str(), nullptr, nullptr, &err) != SQLITE_OK) {
        std::fprintf(stderr, "makedb: %s: %s\n", script.c_str(), err ? err : "?");
        sqlite3_free(err);
        sqlite3_close(db);
        fs::remove(temp, ec);
        return 1;
    }
    sqlite3_close(db);
    fs::rename(temp, target, ec);
    if (ec) {
        std::fprintf(stderr, "makedb: cannot move %s into place: %s\n", temp.c_str(), ec.message().c_str());
        return 1;
    }
    std::printf("makedb: created %s\n", target.c_str());
    return 0;
}
