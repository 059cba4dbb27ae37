#include "platform/search_path.h"

// Windows looks programs up by its own rules, and the game starts none.
void keepSearchPathAbsolute() {}
