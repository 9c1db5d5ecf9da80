// The system's XML parser (Xerces-C 3.2.4 as Debian ships it) loses a little memory in two
// places that no caller can avoid:
// - after scanning a document's external grammar subset (<!DOCTYPE ... SYSTEM "...">) it keeps
//   the subset's declaration, some 200 bytes, rather than risk using it after it is gone;
// - when a source opens but its first read fails (a directory, an unreadable file), the
//   half-made reader's names are not released.
// The hostile-input and URL tests take both paths on purpose. LeakSanitizer reads this list of
// exceptions from the program itself and passes over exactly these, so any leak of the
// loader's own still fails the tests.
extern "C" const char* __lsan_default_suppressions()
{
  return "leak:xercesc_3_2::IGXMLScanner::scanDocTypeDecl\n"
         "leak:xercesc_3_2::XMLReader::XMLReader\n";
}

// The parser is built without frame pointers, so the quick way of recording where memory was
// allocated stops at its first frame, before the functions named above. The thorough way
// costs the tests a second or two.
extern "C" const char* __asan_default_options() { return "fast_unwind_on_malloc=0"; }
