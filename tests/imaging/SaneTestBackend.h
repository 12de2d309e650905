#pragma once

// Points SANE at a private configuration that loads nothing but the library's
// own "test" backend (two virtual devices, test:0 and test:1), so capture can
// be tested for real without touching the system's configuration. Call it
// before the first device is listed or opened: SANE reads the variable when it
// initialises.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

inline std::string UseSaneTestBackend()
{
    struct Config
    {
        std::string dir;
        Config()
        {
            char pattern[] = "/tmp/quenda-sane-XXXXXX";
            if (const char *made = mkdtemp(pattern))
                dir = made;
            if (dir.empty())
                return;
            std::ofstream(dir + "/dll.conf") << "test\n";
            // The backend's defaults, spelled out so the tests do not depend
            // on what a system-wide test.conf would say.
            std::ofstream(dir + "/test.conf") << "number_of_devices 2\n"
                                                 "mode Gray\n"
                                                 "depth 8\n"
                                                 "resolution 50.0\n"
                                                 "test-picture \"Solid black\"\n"
                                                 "br_x 80.0\n"
                                                 "br_y 100.0\n";
            // No trailing colon: the system's folders are not searched.
            setenv("SANE_CONFIG_DIR", dir.c_str(), 1);
        }
        ~Config()
        {
            std::error_code ignored;
            if (!dir.empty())
                std::filesystem::remove_all(dir, ignored);
        }
    };
    static Config config;
    return config.dir;
}
