// Keeps the library target buildable while the program has no windows yet.
namespace pv { int placeholder_app = 0; }
