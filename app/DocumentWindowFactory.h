#pragma once

#include <memory>

namespace divelog {
class AppContext;
class Document;
}  // namespace divelog
class DocumentWindow;
class UiText;
class UserPrompts;

// The window that shows a document, chosen by its kind: the kinds with a
// window of their own are listed in DocumentWindowFactory.cpp, every other
// kind gets the register window. The caller owns the new window.
DocumentWindow* makeDocumentWindow(std::unique_ptr<divelog::Document> document,
                                   divelog::AppContext& context, const UiText& text,
                                   UserPrompts& prompts);
