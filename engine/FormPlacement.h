// Where a browser window's form goes when a page asks for a position or a client size: the
// position is kept on the virtual desktop, the client size is at least 100 pixels.
#pragma once

namespace quirel {

inline constexpr int kMinFormClientSize = 100;

// One axis of the virtual desktop: its first coordinate and its extent.
struct TDesktopAxis {
  int Origin = 0;
  int Extent = 0;
};

// The form's left (top) edge for a requested x (y): not before the desktop's start nor 0,
// then not so far that the form passes the desktop's far edge; the second bound wins. The far
// edge is origin plus extent: a desktop reaching left of 0 ends before its extent does.
int FormEdgeOnDesktop(int requested, const TDesktopAxis& desktop, int formExtent);

// The outer width (height) that gives a client width (height) of `requested`, at least 100.
int FormExtentForClient(int formExtent, int clientExtent, int requested);

}  // namespace quirel
