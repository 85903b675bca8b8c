// Keeps the library target buildable while its folder has no other source.
namespace pv { int placeholder_forms = 0; }
