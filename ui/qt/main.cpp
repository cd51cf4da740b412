// Zentrix: clear the heap in sets of eleven.
#include "ui/qt/game_app.h"

int main(int argc, char** argv) {
    return zentrix::ui::runGame(argc, argv);
}
