#pragma once
// A menu screen as the picture shows it: a title, rows of text each with a
// value at the right, the row picked, a line of help under them. The game
// fills it from its menu; the layout below places it on the screen, the
// same layout for drawing it and for finding the row under the pointer.

#include <string>
#include <vector>

// A small square of one of the game's own pictures beside a row.
enum class MenuSwatch { None, Wood0, Wood1, Wood2, Wood3, Wood4, Wood5, Metal, Glass, Ball };

struct MenuRowPicture {
    std::string label;
    std::string value;            // drawn at the right of the row; may be empty
    bool selectable = true;       // a row of information only cannot be picked
    MenuSwatch swatch = MenuSwatch::None;
};

struct MenuPicture {
    std::string title;
    std::vector<MenuRowPicture> rows;
    int selected = -1;            // a row's index, or -1
    std::string notice;           // a line that asks for attention (a clash), or empty
    std::string hint;             // the keys that work here
    float textSize = 1.0f;        // 1, 1.5 or 2
};

// Window pixels from the top left, as pointers report them.
struct MenuRect {
    int left = 0, top = 0, right = 0, bottom = 0;

    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

struct MenuLayout {
    float scale = 1.0f;           // the text size, less where the screen is too narrow for it
    int glyphWidth = 12;
    int glyphHeight = 20;
    int columns = 0;              // characters a row holds
    MenuRect panel;
    MenuRect title;
    MenuRect notice;
    MenuRect hint;
    int firstRow = 0;             // the first row shown: a long list scrolls to keep the pick in view
    std::vector<MenuRect> rows;   // the rows shown, from firstRow on
    bool moreAbove = false;
    bool moreBelow = false;
    // A list longer than the screen has a strip above and below it: a click
    // or a tap there moves the list, for players with no keys to hand.
    MenuRect scrollUp;
    MenuRect scrollDown;
};

// Where everything of the picture goes on a screen of this size.
MenuLayout layoutMenu(const MenuPicture& picture, int width, int height);

// The row under the pointer at (x, y): a row's index in the picture, or -1
// (outside the rows, or a row that cannot be picked).
int menuRowAt(const MenuPicture& picture, const MenuLayout& layout, int x, int y);
