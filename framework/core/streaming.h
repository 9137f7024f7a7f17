// Stored descriptions: the text form a window and its controls are built from, its reader
// and its writer. The format, one property a line:
//
//   object Form1: TForm1                   "inherited Name: TClass" for a component that
//     Caption = 'Verbolt Editor'#13'v1.0'   already exists (found by name in the root)
//     Font.Name = 'Tahoma'                  parts of an object property
//     Left = -8                             integers ($hex too)
//     Color = clBtnFace                     identifiers: enumerations, colours, True/False,
//     OnCreate = FormCreate                   handlers of the root's method table, names
//     ActivePage = TabSheet1                  of components (resolved after all exist)
//     Font.Style = [fsBold, fsItalic]       sets
//     Hint = 'a long text ' +               strings: '' is a quote, #nnn a character code,
//       'continued'                           pieces joined by concatenation and by "+"
//     Picture.Data = {                      binary data in hex over many lines
//       0A0B0C}
//     Lines.Strings = (                     string lists (TStrings); "Lines = (" reads too
//       'line 1'
//       'line 2')
//     FixedDimension = 19                   extra named values a class defines itself
//     object btnCreate: TVtButton           children, inside the block of their container
//       …
//     end
//   end
//
// Reading: the root exists already (a form reads its own description) or is created from
// the registry. Each child is created through the class registry with the root as owner,
// asked to join its container (TComponent::SetParentComponent) and then given its
// properties through the published tables, in the order written; names a table lacks go
// to the class's extra values (FixedDimension, obsolete names). Events are bound by handler
// name through the root's method table; component references are resolved once all are
// created; then every component read, the root first, is told ReadingDone (controls take
// their parent's colour, font and 3-D look) and after that, each in turn, gets Loaded. All
// of them carry csLoading until their Loaded, and csReading until ReadingDone.
// A problem raises EReadError naming the line.
//
// Writing produces the same format with each class's stored rules (only stored,
// non-default values), children in the order their container lists them (GetChildren).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "framework/core/classes.h"
#include "framework/core/typinfo.h"

// Reads a description into an existing root: its name is set from the header, then its
// properties and children are read.
void ReadComponentText(TComponent* root, std::string_view text);

// A description read into its tree of objects but not yet applied: the text can be read
// ahead (on another thread, while the desktop starts) and applied later by ReadComponent,
// which does what ReadComponentText does with it. It holds no component and shares its
// tree when copied.
class TParsedDescription {
public:
    // The value an object of the description gives a property path, or null.
    using TLookup = std::function<const TValue*(std::string_view path)>;
    // Every object, the root first and each container before what it holds, with its depth
    // (the root's is 0) and the class it names: for looking ahead at what reading it will need.
    using TVisit = std::function<void(int depth, std::string_view className, const TLookup& value)>;
    void VisitObjects(const TVisit& visit) const;

private:
    friend TParsedDescription ParseComponentText(std::string_view text);
    friend void ReadComponent(TComponent* root, const TParsedDescription& description);
    friend std::string ParsedDescriptionBytes(const TParsedDescription& description);
    friend TParsedDescription ParsedDescriptionFromBytes(std::string_view bytes);
    std::shared_ptr<const struct TDescriptionTree> FTree;
};
// EReadError naming the line when the text is not a description.
TParsedDescription ParseComponentText(std::string_view text);
void ReadComponent(TComponent* root, const TParsedDescription& description);
// The parsed tree as bytes, and back: a program parses its built-in descriptions when it is
// built and reads their trees at start without parsing. Reading them reports what reading
// the text would, line numbers included. EWriteError for an empty description; EReadError
// for bytes that are not a tree this wrote.
std::string ParsedDescriptionBytes(const TParsedDescription& description);
TParsedDescription ParsedDescriptionFromBytes(std::string_view bytes);

// Creates the root from the header's class (registered, with a factory) with the given
// owner and reads the description into it. On failure nothing is left behind.
TComponent* CreateComponentFromText(std::string_view text, TComponent* owner = nullptr);

// The description of root and everything it lists as children, each line ended by LF.
std::string WriteComponentText(TComponent* root);

// One value in description syntax ("fsBold", "[sdLeft, sdTop]", "'a'#13'b'", "-5",
// "( 'x' 'y' )", "{ 0A0B }"). EReadError when it is not one.
TValue ParseValueText(std::string_view text);
// A value in description syntax on one line (what a writer would put after "Name = ").
std::string FormatValueText(const TValue& value);
// Sets a property by path from value text: false when obj has no such property.
bool SetPropText(TObject* obj, std::string_view path, std::string_view valueText);
