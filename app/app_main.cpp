// The one application object, made before the entry point runs.
#include "app/dictionary_app.h"

CDictionaryApp theApp;
