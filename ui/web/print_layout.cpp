// Prints the windows' design as JSON (layout_json.h), for the build to put inside the web page.
// Built with em++ and run under node while the site is built.
#include <cstdio>
#include <string>

#include "ui/web/layout_json.h"

int main() {
    const std::string json = zentrix::web::layoutJson() + '\n';
    const bool written = std::fwrite(json.data(), 1, json.size(), stdout) == json.size();
    return written && std::fflush(stdout) == 0 ? 0 : 1;
}
