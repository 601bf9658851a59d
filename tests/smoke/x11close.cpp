// SPDX-License-Identifier: GPL-3.0-or-later
// Waits for a top-level window with the given title to be mapped on the X
// display, then asks it to close the way a window manager does
// (WM_DELETE_WINDOW). Exit 0 when the window was found and asked.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

std::string TitleOf(Display* ADisplay, Window AWindow)
{
    const Atom Utf8 = XInternAtom(ADisplay, "UTF8_STRING", False);
    const Atom NetName = XInternAtom(ADisplay, "_NET_WM_NAME", False);
    Atom Type;
    int Format;
    unsigned long Count, After;
    unsigned char* Data = nullptr;
    std::string Title;
    if (XGetWindowProperty(ADisplay, AWindow, NetName, 0, 4096, False, Utf8, &Type, &Format, &Count,
                           &After, &Data) == Success &&
        Data) {
        Title.assign(reinterpret_cast<char*>(Data), Count);
        XFree(Data);
    }
    return Title;
}

bool IsMapped(Display* ADisplay, Window AWindow)
{
    XWindowAttributes Attributes;
    return XGetWindowAttributes(ADisplay, AWindow, &Attributes) &&
           Attributes.map_state == IsViewable;
}

Window FindWindow(Display* ADisplay, const std::string& ATitle)
{
    Window Root, Parent, *Children = nullptr;
    unsigned int Count = 0;
    Window Found = 0;
    if (!XQueryTree(ADisplay, DefaultRootWindow(ADisplay), &Root, &Parent, &Children, &Count))
        return 0;
    for (unsigned int I = 0; I < Count && !Found; ++I)
        if (TitleOf(ADisplay, Children[I]) == ATitle && IsMapped(ADisplay, Children[I]))
            Found = Children[I];
    if (Children)
        XFree(Children);
    return Found;
}

void AskToClose(Display* ADisplay, Window AWindow)
{
    XEvent Event;
    std::memset(&Event, 0, sizeof Event);
    Event.xclient.type = ClientMessage;
    Event.xclient.window = AWindow;
    Event.xclient.message_type = XInternAtom(ADisplay, "WM_PROTOCOLS", False);
    Event.xclient.format = 32;
    Event.xclient.data.l[0] = static_cast<long>(XInternAtom(ADisplay, "WM_DELETE_WINDOW", False));
    Event.xclient.data.l[1] = CurrentTime;
    XSendEvent(ADisplay, AWindow, False, NoEventMask, &Event);
    XFlush(ADisplay);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: x11close TITLE SECONDS\n");
        return 2;
    }
    Display* Connection = XOpenDisplay(nullptr);
    if (!Connection) {
        std::fprintf(stderr, "x11close: cannot open the display\n");
        return 1;
    }
    const auto Deadline =
        std::chrono::steady_clock::now() + std::chrono::seconds(std::atoi(argv[2]));
    while (std::chrono::steady_clock::now() < Deadline) {
        if (const Window Found = FindWindow(Connection, argv[1])) {
            std::printf("found \"%s\"\n", argv[1]);
            AskToClose(Connection, Found);
            XCloseDisplay(Connection);
            return 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    std::fprintf(stderr, "x11close: no window \"%s\" appeared\n", argv[1]);
    XCloseDisplay(Connection);
    return 1;
}
