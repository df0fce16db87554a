// Time from exec of a program to its main window on screen.
// Usage (inside an X session):
//   bench_startup PROGRAM [runs]               ours, with a 25-row list and no splash
//   bench_startup --other RUNS STOP CMD [ARGS] another program, started as is; the shell
//                                              command STOP ends it after each run
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {
// A portable folder holding a copy of the program, its settings and a 25-row list.
std::string PrepareFolder(const char* program) {
    char folder[] = "/tmp/quillery-start-XXXXXX";
    if (!mkdtemp(folder))
        std::exit(1);
    const std::string dir = folder;
    std::system(("cp '" + std::string(program) + "' '" + dir + "/quillery'").c_str());
    std::ofstream list(dir + "/list.clp", std::ios::binary);
    for (int i = 0; i < 25; ++i)
        list << "clip number " << i << "\r\n\x0c\r\n";
    std::ofstream ini(dir + "/Quillery.Ini");
    ini << "[Options]\nSplash=0\nTray=0\nDefaultFile=" << dir << "/list.clp\n";
    setenv("XDG_RUNTIME_DIR", folder, 1);
    return dir;
}

// Waits for the first top-level window mapped: the window manager's frame around a window.
void WaitForMap(xcb_connection_t* c) {
    while (xcb_generic_event_t* e = xcb_wait_for_event(c)) {
        const bool mapped = (e->response_type & ~0x80) == XCB_MAP_NOTIFY &&
                            !reinterpret_cast<xcb_map_notify_event_t*>(e)->override_redirect;
        std::free(e);
        if (mapped)
            return;
    }
}
} // namespace

int main(int argc, char* argv[]) {
    const bool other = argc > 4 && std::strcmp(argv[1], "--other") == 0;
    if (argc < 2 || (std::strcmp(argv[1], "--other") == 0 && !other))
        return 2;
    const int runs = std::atoi(other ? argv[2] : argc > 2 ? argv[2] : "10");
    const std::string dir = other ? std::string() : PrepareFolder(argv[1]);
    const std::string program = other ? argv[4] : dir + "/quillery";
    char** args = other ? argv + 4 : nullptr;

    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);

    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const pid_t pid = fork();
        if (pid == 0) {
            if (args)
                execvp(program.c_str(), args);
            else
                execl(program.c_str(), "quillery", nullptr);
            _exit(127);
        }
        WaitForMap(c);
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        if (other)
            std::system(argv[3]);
        else
            kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        usleep(500000);
        while (xcb_generic_event_t* e = xcb_poll_for_event(c))
            std::free(e);
    }
    std::sort(times.begin(), times.end());
    std::printf("start-up to the main window on screen: median %.0f ms, best %.0f ms (%d runs)\n",
                times[times.size() / 2], times.front(), runs);
    if (!dir.empty())
        std::system(("rm -rf '" + dir + "'").c_str());
    return 0;
}
