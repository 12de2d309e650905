// check_salon: verifies a built salon folder (see SalonAudit).
//   check_salon SALON_DIR

#include "SalonAudit.h"

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: check_salon SALON_DIR\n");
        return 2;
    }
    SalonAudit inspector(argv[1]);
    const bool ok = inspector.run();
    for (const std::string &p : inspector.problems())
        std::printf("%s\n", p.c_str());
    std::printf("%d hair pictures checked, %zu problems\n", inspector.picturesChecked(),
                inspector.problems().size());
    return ok ? 0 : 1;
}
