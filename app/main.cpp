#include <cstdio>

int main() {
    std::puts("孤島生活: the build works; the game window arrives with the next step of development.");
    return 0;
}
