// vantorplay: the player's entry point.
#include "app/player_app.h"

int main(int argc, char** argv) {
    return runPlayer(argc, argv);
}
