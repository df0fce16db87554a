// Only here to build the test programs' precompiled Qt.
int main() {
    return 0;
}
