// Run once when a Windows build is configured: it ends with 0 when Windows programs of this
// build run under Wine here.
int main() {
    return 0;
}
