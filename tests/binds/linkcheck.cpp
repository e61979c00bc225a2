// Links one binds library whole, with only the libraries it names: a call into a
// library it does not name, a cycle between subjects, fails to link.
int main()
{
    return 0;
}
