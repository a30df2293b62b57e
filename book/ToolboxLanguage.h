#pragma once

// The toolbox speaks the user's language: the book's own Arabic under an Arabic locale
// (LANGUAGE, LC_ALL, LC_MESSAGES, LANG, as every program reads them), English otherwise,
// the whole of what it says in one language.
void speakTheUsersLanguage();
