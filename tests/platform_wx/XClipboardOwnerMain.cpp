// Another X client for the clipboard-watch tests, written on Xlib alone so
// that it counts every request the clipboard's owner receives. Commands on
// standard input, one a line, each answered by one line:
//   own FORMAT...    takes the clipboard offering these formats   -> "owned"
//   offer FORMAT...  offers these from now on, still the owner     -> "offered"
//   count            the requests received so far                   -> the number
//   quit (or the end of the input)
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <cstdio>
#include <poll.h>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{

class COwner
{
public:
    explicit COwner(Display* display)
        : m_display(display), m_clipboard(XInternAtom(display, "CLIPBOARD", False)),
          m_targets(XInternAtom(display, "TARGETS", False)),
          m_window(XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0))
    {
    }

    /// False when the input asks to stop.
    bool Command(const std::string& line)
    {
        std::istringstream words(line);
        std::string verb;
        words >> verb;
        if (verb == "own" || verb == "offer")
        {
            m_offered.clear();
            for (std::string name; words >> name;)
                m_offered.push_back(XInternAtom(m_display, name.c_str(), False));
            if (verb == "own")
            {
                XSetSelectionOwner(m_display, m_clipboard, m_window, CurrentTime);
                XSync(m_display, False);
                Reply(XGetSelectionOwner(m_display, m_clipboard) == m_window ? "owned" : "refused");
            }
            else
            {
                Reply("offered");
            }
            return true;
        }
        if (verb == "count")
        {
            Reply(std::to_string(m_requests));
            return true;
        }
        return verb != "quit";
    }

    void HandleEvent(const XEvent& event)
    {
        if (event.type != SelectionRequest)
            return;
        const XSelectionRequestEvent& request = event.xselectionrequest;
        ++m_requests;
        XSelectionEvent reply{};
        reply.type = SelectionNotify;
        reply.display = m_display;
        reply.requestor = request.requestor;
        reply.selection = request.selection;
        reply.target = request.target;
        reply.time = request.time;
        reply.property = None;
        const Atom property = request.property != None ? request.property : request.target;
        if (request.target == m_targets)
        {
            std::vector<Atom> atoms{m_targets};
            atoms.insert(atoms.end(), m_offered.begin(), m_offered.end());
            XChangeProperty(m_display, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(atoms.data()),
                            static_cast<int>(atoms.size()));
            reply.property = property;
        }
        else if (std::find(m_offered.begin(), m_offered.end(), request.target) != m_offered.end())
        {
            const unsigned char bytes[] = {1, 0, 0, 0, 0};
            XChangeProperty(m_display, request.requestor, property, request.target, 8, PropModeReplace, bytes,
                            sizeof(bytes));
            reply.property = property;
        }
        XEvent out{};
        out.xselection = reply;
        XSendEvent(m_display, request.requestor, False, NoEventMask, &out);
        XFlush(m_display);
    }

private:
    void Reply(const std::string& text)
    {
        std::printf("%s\n", text.c_str());
        std::fflush(stdout);
    }

    Display* m_display;
    Atom m_clipboard;
    Atom m_targets;
    Window m_window;
    std::vector<Atom> m_offered;
    int m_requests = 0;
};

} // namespace

int main()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
    {
        std::puts("no display");
        return 1;
    }
    COwner owner(display);
    std::string input;
    for (bool running = true; running;)
    {
        while (XPending(display) > 0)
        {
            XEvent event;
            XNextEvent(display, &event);
            owner.HandleEvent(event);
        }
        pollfd fds[2] = {{STDIN_FILENO, POLLIN, 0}, {ConnectionNumber(display), POLLIN, 0}};
        if (poll(fds, 2, 1000) < 0)
            break;
        if (fds[0].revents != 0)
        {
            char buffer[256];
            const ssize_t got = read(STDIN_FILENO, buffer, sizeof(buffer));
            if (got <= 0)
                break;
            input.append(buffer, static_cast<std::size_t>(got));
            for (std::size_t end; running && (end = input.find('\n')) != std::string::npos;)
            {
                running = owner.Command(input.substr(0, end));
                input.erase(0, end + 1);
            }
        }
    }
    XCloseDisplay(display);
    return 0;
}
