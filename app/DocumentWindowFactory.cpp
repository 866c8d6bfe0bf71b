#include "DocumentWindowFactory.h"

#include "logbook/Carnet.h"
#include "logbook/CarnetWindow.h"
#include "registers/RegisterDocument.h"
#include "registers/RegisterWindow.h"

using divelog::Document;
using divelog::DocumentKind;

namespace {

using WindowMaker = DocumentWindow* (*)(std::unique_ptr<Document>&, divelog::AppContext&,
                                        const UiText&, UserPrompts&);

// Null when the document is not of the class its kind promises, so that it
// still gets a window rather than a crash.
DocumentWindow* makeCarnetWindow(std::unique_ptr<Document>& document, divelog::AppContext& context,
                                 const UiText& text, UserPrompts& prompts) {
    if (!dynamic_cast<divelog::Carnet*>(document.get())) return nullptr;
    std::unique_ptr<divelog::Carnet> carnet(static_cast<divelog::Carnet*>(document.release()));
    return new CarnetWindow(std::move(carnet), context, text, prompts);
}

struct WindowRow {
    DocumentKind kind;
    WindowMaker make;
};

// A kind with a window of its own adds its row here.
constexpr WindowRow kWindows[] = {
    {DocumentKind::Carnet, makeCarnetWindow},
};

}  // namespace

DocumentWindow* makeDocumentWindow(std::unique_ptr<Document> document, divelog::AppContext& context,
                                   const UiText& text, UserPrompts& prompts) {
    for (const WindowRow& row : kWindows) {
        if (row.kind != document->kind()) continue;
        if (DocumentWindow* window = row.make(document, context, text, prompts)) return window;
    }
    if (dynamic_cast<divelog::RegisterDocument*>(document.get())) {
        std::unique_ptr<divelog::RegisterDocument> records(
            static_cast<divelog::RegisterDocument*>(document.release()));
        return new RegisterWindow(std::move(records), context, text, prompts);
    }
    // Every kind has its window; a document of an unexpected class still
    // gets the plain frame that can save it, rather than a crash.
    return new DocumentWindow(std::move(document), context, text, prompts);
}
