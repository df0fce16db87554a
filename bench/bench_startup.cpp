// Time from exec of the program to its main window on screen, with a 25-row list and no
// splash. Usage (inside an X session): bench_startup PROGRAM [runs]
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

int main(int argc, char* argv[]) {
    if (argc < 2)
        return 2;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 10;
    char folder[] = "/tmp/quillery-start-XXXXXX";
    if (!mkdtemp(folder))
        return 1;
    const std::string dir = folder;
    std::system(("cp '" + std::string(argv[1]) + "' '" + dir + "/quillery'").c_str());
    {
        std::ofstream list(dir + "/list.clp", std::ios::binary);
        for (int i = 0; i < 25; ++i)
            list << "clip number " << i << "\r\n\x0c\r\n";
        std::ofstream ini(dir + "/Quillery.Ini");
        ini << "[Options]\nSplash=0\nTray=0\nDefaultFile=" << dir << "/list.clp\n";
    }
    setenv("XDG_RUNTIME_DIR", folder, 1);

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
            execl((dir + "/quillery").c_str(), "quillery", nullptr);
            _exit(127);
        }
        // The first top-level window mapped: the window manager's frame around the window.
        while (xcb_generic_event_t* e = xcb_wait_for_event(c)) {
            const bool mapped = (e->response_type & ~0x80) == XCB_MAP_NOTIFY &&
                                !reinterpret_cast<xcb_map_notify_event_t*>(e)->override_redirect;
            std::free(e);
            if (mapped)
                break;
        }
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        usleep(200000);
        while (xcb_generic_event_t* e = xcb_poll_for_event(c))
            std::free(e);
    }
    std::sort(times.begin(), times.end());
    std::printf("start-up to the main window on screen: median %.0f ms, best %.0f ms (%d runs)\n",
                times[times.size() / 2], times.front(), runs);
    std::system(("rm -rf '" + dir + "'").c_str());
    return 0;
}
