// The Qt driver's side of assistive tools. Each window widget gets an accessible interface
// of its own whose children are the objects of the framework's tree; every object gets a
// QAccessibleInterface the first time a tool asks about it, and Qt bridges them to the
// desktop's accessibility bus (AT-SPI on Linux). The framework's announcements become Qt's
// accessibility events: the bridge remembers what it last told a tool about each object and
// reports exactly what differs.
#pragma once

#include "framework/platform/accessible.h"

class QWidget;

// Once, after the application object exists: window widgets take their interfaces from here.
void InstallAccessibleInterfaces();
// The widget of a window presents tree (nullptr: nothing). Called as soon as the widget
// exists, before Qt can ask about it.
void AttachAccessibleTree(QWidget* window, TAccessibleTree* tree);
// The window goes: every interface made for its objects is dropped.
void DetachAccessibleTree(QWidget* window);
// A tool is listening on the accessibility bus.
bool AccessibleToolsListening();
// An announcement of the framework for an object of window's tree (window may be nullptr
// for aeGone).
void AnnounceAccessible(QWidget* window, TAccessibleId id, TAccessibleEvent event);
