#include "platform/shown_part.h"

#include <emscripten.h>

// The page's Module.gameShows, where the page has one (page/seam.js).
EM_JS(void, tellPageShownPart,
      (int menu, int left, int top, int width, int height, int boardLeft, int boardTop,
       int boardCols, int boardRows, int minePercent, int rows, int cols, int mines, int deals,
       int over, const char* cells, const int* controls, const double* steps),
      {
          if (Module.gameShows) {
              Module.gameShows({
                  menu : Boolean(menu),
                  part : {left : left, top : top, width : width, height : height},
                  board : {left : boardLeft, top : boardTop, cols : boardCols, rows : boardRows},
                  settings : {minePercent : minePercent, rows : rows, cols : cols},
                  game : {
                      mines : mines,
                      deals : deals,
                      over : Boolean(over),
                      cells : UTF8ToString(cells)
                  },
                  controls : [ "start", "mines", "rows", "cols", "quit" ].reduce(
                      function(all, name, i) {
                          var at = (controls >> 2) + 4 * i;
                          all[name] = {
                              left : HEAP32[at],
                              top : HEAP32[at + 1],
                              right : HEAP32[at + 2],
                              bottom : HEAP32[at + 3],
                              step : HEAPF64[(steps >> 3) + i]
                          };
                          return all;
                      },
                      {})
              });
          }
      });

bool isToldShownPart() {
    return true;
}

void tellShownPart(const ShownPart& shown) {
    tellPageShownPart(shown.menu, shown.left, shown.top, shown.width, shown.height, shown.boardLeft,
                      shown.boardTop, shown.boardCols, shown.boardRows, shown.minePercent,
                      shown.rows, shown.cols, shown.mines, shown.deals, shown.over,
                      shown.cells.c_str(), &shown.controls[0].left, shown.stepPixels);
}
