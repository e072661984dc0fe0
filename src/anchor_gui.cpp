// Keeps the window library non-empty while it has no other source.
namespace vx {
int guiAnchor() {
    return 0;
}
} // namespace vx
