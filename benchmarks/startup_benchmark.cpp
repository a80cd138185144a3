// Start-up against a bare Qt window: each program is started in turn, `runs`
// times each, and timed from the fork to the X server mapping its first
// top-level window (MapNotify on the root), and on to its first paint on the
// screen. Prints the medians and the ratio of the mapping times.
// Run on a display without a window manager, e.g.
//   Xvfb :99 -screen 0 1366x768x24 -nolisten tcp & DISPLAY=:99 build/benchmarks/startup_benchmark 21
// Settings are read from an empty folder so every run is a first start.
#include <xcb/xcb.h>

#include <algorithm>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double nowMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// The screen's pixel at (x, y), as the X server shows it.
uint32_t pixelAt(xcb_connection_t *x, xcb_window_t root, int16_t px, int16_t py)
{
    xcb_get_image_reply_t *image = xcb_get_image_reply(
        x, xcb_get_image(x, XCB_IMAGE_FORMAT_Z_PIXMAP, root, px, py, 1, 1, ~0u), nullptr);
    uint32_t pixel = 0;
    if (image && xcb_get_image_data_length(image) >= 4)
        std::memcpy(&pixel, xcb_get_image_data(image), 4);
    free(image);
    return pixel;
}

struct Start
{
    double mappedMs = -1;
    double paintedMs = -1;
};

// From the fork until the program's first window is mapped, and until a
// point near the screen's top left corner (where, without a window manager,
// every window here stands) first shows it painted.
Start timeToMap(xcb_connection_t *x, xcb_window_t root, const std::string &program, int16_t cx, int16_t cy)
{
    const uint32_t before = pixelAt(x, root, cx, cy);
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x);
    const double start = nowMs();
    const pid_t child = fork();
    if (child == 0) {
        execl(program.c_str(), program.c_str(), static_cast<char *>(nullptr));
        _exit(127);
    }
    Start times;
    while (xcb_generic_event_t *event = xcb_wait_for_event(x)) {
        const bool isMap = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
        free(event);
        if (isMap) {
            times.mappedMs = nowMs() - start;
            break;
        }
    }
    while (times.mappedMs >= 0 && nowMs() - start < 5000) {
        if (pixelAt(x, root, cx, cy) != before) {
            times.paintedMs = nowMs() - start;
            break;
        }
        usleep(500);
    }
    const uint32_t none = 0;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &none);
    xcb_flush(x);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    // Drop what the closing window sent meanwhile.
    while (xcb_generic_event_t *event = xcb_poll_for_event(x))
        free(event);
    return times;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

} // namespace

int main(int argc, char *argv[])
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    const std::string folder = std::string(argv[0]).substr(0, std::string(argv[0]).rfind('/') + 1);
    const std::string tavrel = argc > 2 ? argv[2] : folder + "../src/tavrel";
    const std::string bare = folder + "bare_window";
    char config[] = "/tmp/tavrel-startup-XXXXXX";
    setenv("XDG_CONFIG_HOME", mkdtemp(config), 1);
    xcb_connection_t *x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x)) {
        std::fprintf(stderr, "startup_benchmark: cannot reach the display named by DISPLAY\n");
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    std::vector<double> tavrelMs, bareMs, tavrelPaintMs, barePaintMs;
    for (int run = 0; run < runs; ++run) {
        const Start bareStart = timeToMap(x, root, bare, 20, 40);
        const Start tavrelStart = timeToMap(x, root, tavrel, 20, 40);
        bareMs.push_back(bareStart.mappedMs);
        barePaintMs.push_back(bareStart.paintedMs);
        tavrelMs.push_back(tavrelStart.mappedMs);
        tavrelPaintMs.push_back(tavrelStart.paintedMs);
    }
    double load[3] = {};
    getloadavg(load, 3);
    const double tavrelMedian = median(tavrelMs), bareMedian = median(bareMs);
    std::printf("runs %d each, alternating; load average %.2f %.2f %.2f\n", runs, load[0], load[1], load[2]);
    std::printf("bare Qt window  median %.1f ms (min %.1f)\n", bareMedian, *std::min_element(bareMs.begin(), bareMs.end()));
    std::printf("tavrel          median %.1f ms (min %.1f)\n", tavrelMedian, *std::min_element(tavrelMs.begin(), tavrelMs.end()));
    std::printf("ratio           %.2f\n", tavrelMedian / bareMedian);
    std::printf("first paint: bare median %.1f ms, tavrel median %.1f ms\n", median(barePaintMs), median(tavrelPaintMs));
    xcb_disconnect(x);
    return 0;
}
