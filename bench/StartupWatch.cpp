// StartupWatch: starts a program and times it from the outside, the way a
// person sees it: from the start of the process to its first top-level window
// being mapped on the X server, then (optionally) its resident memory some
// seconds later, when it sits idle. The program is then ended.
//
//   StartupWatch [--rss-after SECONDS] [--timeout SECONDS] [--log FILE] -- PROGRAM [ARGS...]
//
// The program runs in its own folder. Prints one JSON object on stdout:
//   {"map_ms": 123.4, "rss_kb": 31234}      (rss_kb only with --rss-after)
// and exits non-zero, with the reason on stderr, if no window appeared.
//
// Under a window manager the frame, not the program's window, is mapped on
// the root window: run this under a bare X server (Xvfb).

#include <xcb/xcb.h>

#include <cerrno>
#include <climits>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace {

double nowMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

[[noreturn]] void fail(const std::string& why)
{
    std::fprintf(stderr, "StartupWatch: %s\n", why.c_str());
    std::exit(2);
}

xcb_atom_t internAtom(xcb_connection_t* conn, const char* name)
{
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(conn, xcb_intern_atom(conn, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    if (!reply)
        fail(std::string("cannot intern ") + name);
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    return atom;
}

// The process that owns a window, from the _NET_WM_PID property that Qt (and
// every toolkit that follows the desktop conventions) sets before mapping.
long windowPid(xcb_connection_t* conn, xcb_window_t window, xcb_atom_t netWmPid)
{
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        conn, xcb_get_property(conn, 0, window, netWmPid, XCB_ATOM_CARDINAL, 0, 1), nullptr);
    long pid = -1;
    if (reply && xcb_get_property_value_length(reply) >= 4)
        pid = *static_cast<uint32_t*>(xcb_get_property_value(reply));
    std::free(reply);
    return pid;
}

// VmRSS of a live process, in kB; -1 when it cannot be read.
long residentKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

void endProgram(pid_t pid)
{
    kill(pid, SIGTERM);
    const double deadline = nowMs() + 5000;
    while (nowMs() < deadline) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

struct Options {
    double rssAfterSeconds = 0;
    double timeoutSeconds = 30;
    std::string log = "/dev/null";
    std::vector<char*> command;
};

Options parse(int argc, char* argv[])
{
    Options options;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--") {
            ++i;
            break;
        }
        if (i + 1 >= argc)
            fail("missing value after " + arg);
        if (arg == "--rss-after")
            options.rssAfterSeconds = std::atof(argv[++i]);
        else if (arg == "--timeout")
            options.timeoutSeconds = std::atof(argv[++i]);
        else if (arg == "--log")
            options.log = argv[++i];
        else
            fail("unknown option " + arg);
    }
    for (; i < argc; ++i)
        options.command.push_back(argv[i]);
    if (options.command.empty())
        fail("usage: StartupWatch [--rss-after S] [--timeout S] [--log FILE] -- PROGRAM [ARGS...]");
    options.command.push_back(nullptr);
    return options;
}

std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
}

} // namespace

int main(int argc, char* argv[])
{
    Options options = parse(argc, argv);

    xcb_connection_t* conn = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(conn))
        fail("cannot connect to the X server (is DISPLAY set?)");
    fcntl(xcb_get_file_descriptor(conn), F_SETFD, FD_CLOEXEC);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(conn)).data->root;
    const xcb_atom_t netWmPid = internAtom(conn, "_NET_WM_PID");

    // Listen for every window mapped on the root, and make sure the server
    // has taken the request before the program starts.
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(conn, root, XCB_CW_EVENT_MASK, &mask);
    std::free(xcb_get_input_focus_reply(conn, xcb_get_input_focus(conn), nullptr));

    // The program is started from its own folder, so its path must not depend
    // on ours.
    char resolved[PATH_MAX];
    if (!realpath(options.command.front(), resolved) || access(resolved, X_OK) != 0)
        fail(std::string("cannot run ") + options.command.front());
    const std::string program = resolved;
    options.command.front() = resolved;
    const double started = nowMs();
    const pid_t pid = fork();
    if (pid < 0)
        fail(std::string("fork: ") + std::strerror(errno));
    if (pid == 0) {
        const int log = open(options.log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (log >= 0) {
            dup2(log, STDOUT_FILENO);
            dup2(log, STDERR_FILENO);
        }
        if (chdir(folderOf(program).c_str()) != 0)
            _exit(126);
        execv(program.c_str(), options.command.data());
        _exit(127);
    }

    double mapped = -1;
    const int fd = xcb_get_file_descriptor(conn);
    const double deadline = started + options.timeoutSeconds * 1000;
    while (mapped < 0) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            fail("the program ended before it showed a window");
        if (nowMs() > deadline) {
            endProgram(pid);
            fail("no window within the time-out");
        }
        pollfd wait{fd, POLLIN, 0};
        poll(&wait, 1, 20);
        while (xcb_generic_event_t* event = xcb_poll_for_event(conn)) {
            const double at = nowMs();
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY && mapped < 0) {
                const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
                if (!map->override_redirect && windowPid(conn, map->window, netWmPid) == pid)
                    mapped = at;
            }
            std::free(event);
        }
        if (xcb_connection_has_error(conn))
            fail("lost the X server");
    }

    long rss = -1;
    if (options.rssAfterSeconds > 0) {
        usleep(static_cast<useconds_t>(options.rssAfterSeconds * 1e6));
        rss = residentKb(pid);
        if (rss < 0)
            fail("the program ended before its memory was read");
    }
    endProgram(pid);
    xcb_disconnect(conn);

    if (rss >= 0)
        std::printf("{\"map_ms\": %.3f, \"rss_kb\": %ld}\n", mapped - started, rss);
    else
        std::printf("{\"map_ms\": %.3f}\n", mapped - started);
    return 0;
}
