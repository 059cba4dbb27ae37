#include "platform/shown_part.h"

#include <emscripten.h>

// The page's Module.gameShows, where the page has one (page/seam.js).
EM_JS(void, tellPageShownPart,
      (int menu, int left, int top, int width, int height, int boardLeft, int boardTop,
       int boardCols, int boardRows, int minePercent, int rows, int cols),
      {
          if (Module.gameShows) {
              Module.gameShows({
                  menu : Boolean(menu),
                  part : {left : left, top : top, width : width, height : height},
                  board : {left : boardLeft, top : boardTop, cols : boardCols, rows : boardRows},
                  settings : {minePercent : minePercent, rows : rows, cols : cols}
              });
          }
      });

void tellShownPart(const ShownPart& shown) {
    tellPageShownPart(shown.menu, shown.left, shown.top, shown.width, shown.height, shown.boardLeft,
                      shown.boardTop, shown.boardCols, shown.boardRows, shown.minePercent,
                      shown.rows, shown.cols);
}
